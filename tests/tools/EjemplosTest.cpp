// Every example of the README, tools/README.md and the manual pages runs as written: dbtool as a
// process, consulta in process with a clerk who takes the first row (or the first family), both
// on a demo database of their own. The cheque window's examples, and those that ask for the
// connection in "Control de Acceso", wait for a person at a display: they are only listed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QModelIndex>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>
#include <QTreeView>
#include <iostream>

#include "ConsultaTool.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_FrmCons3.h"
#include "cheques/lookup/Lib_FrmCons3Tree.h"
#include "cheques/lookup/ListaConsulta.h"
#include "cheques/lookup/ModeloConsulta.h"
#include "cheques/runtime/DefaultInstance.h"

namespace {

struct Ejemplo {
    QString documento;
    QString comando;  // as the document writes it, continuation lines joined
    QStringList palabras;
    QByteArray entrada;  // a here-document's lines
};

// The words of a shell command line: quotes, backslashes and a comment as the shell reads them;
// a here-document marker (<<'FIN') is left as one word.
QStringList Palabras(const QString& linea) {
    QStringList palabras;
    QString palabra;
    bool hay = false;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QChar c = linea[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype fin = linea.indexOf(c, i + 1);
            QString dentro = linea.mid(i + 1, fin - i - 1);
            if (c == u'"') {
                dentro.replace(QStringLiteral("\\\""), QStringLiteral("\""))
                    .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            }
            palabra += dentro;
            hay = true;
            i = fin;
        } else if (c == u'\\' && i + 1 < linea.size()) {
            palabra += linea[++i];
            hay = true;
        } else if (c.isSpace()) {
            if (hay) {
                palabras << palabra;
            }
            palabra.clear();
            hay = false;
        } else if (c == u'#' && !hay) {
            break;
        } else {
            palabra += c;
            hay = true;
        }
    }
    if (hay) {
        palabras << palabra;
    }
    return palabras;
}

// The example lines of a document: those of its code blocks that start with a program's name
// (after prefix), with their continuation lines and here-documents.
std::vector<Ejemplo> EjemplosDe(const QString& documento, const QStringList& lineas,
                                const QString& prefijo) {
    std::vector<Ejemplo> ejemplos;
    static const QRegularExpression programa(QStringLiteral(R"(^(dbtool|consulta|cheques)\b)"));
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        QString linea = lineas[i].trimmed();
        if (!linea.startsWith(prefijo) || !programa.match(linea.mid(prefijo.size())).hasMatch()) {
            continue;
        }
        while (linea.endsWith(u'\\') && i + 1 < lineas.size()) {
            linea = linea.chopped(1) + QLatin1Char(' ') + lineas[++i].trimmed();
        }
        Ejemplo ejemplo{documento, linea, Palabras(linea.mid(prefijo.size())), {}};
        if (!ejemplo.palabras.isEmpty() &&
            ejemplo.palabras.back().startsWith(QLatin1String("<<"))) {
            const QString fin = ejemplo.palabras.takeLast().mid(2).remove(u'\'');
            while (++i < lineas.size() && lineas[i].trimmed() != fin) {
                ejemplo.entrada += lineas[i].toUtf8() + '\n';
            }
        }
        ejemplos.push_back(ejemplo);
    }
    return ejemplos;
}

QStringList Lineas(const QString& ruta) {
    QFile file(QStringLiteral(PROJECT_SOURCE_DIR "/") + ruta);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << ruta.toStdString();
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

// The lines of a manual page's examples, its escapes read.
QStringList LineasDeManual(const QString& ruta) {
    QStringList lineas;
    bool dentro = false;
    for (QString linea : Lineas(ruta)) {
        if (linea.startsWith(QLatin1String(".SH"))) {
            dentro = linea == QLatin1String(".SH EXAMPLES");
        } else if (dentro && !linea.startsWith(u'.')) {
            lineas << linea.replace(QStringLiteral("\\-"), QStringLiteral("-"))
                          .replace(QStringLiteral("\\e"), QStringLiteral("\\"));
        }
    }
    return lineas;
}

std::vector<Ejemplo> TodosLosEjemplos() {
    std::vector<Ejemplo> todos = EjemplosDe("README.md", Lineas("README.md"), "scripts/run ");
    for (Ejemplo& e : EjemplosDe("tools/README.md", Lineas("tools/README.md"), "build/tools/")) {
        todos.push_back(e);
    }
    for (const char* pagina : {"cheques.1", "consulta.1", "dbtool.1"}) {
        const QString ruta = QStringLiteral("packaging/man/") + QLatin1String(pagina);
        for (Ejemplo& e : EjemplosDe(ruta, LineasDeManual(ruta), QString())) {
            todos.push_back(e);
        }
    }
    return todos;
}

// The clerk takes the first row of a list (ticking it when rows carry check boxes), or the
// first family of a tree.
void TomarLoPrimero(QWidget& ventana) {
    if (auto* lista = qobject_cast<lookup::Lib_FrmCons3*>(&ventana)) {
        lista->ListView1()->Seleccionar(0);
        if (lista->CheckBoxes) {
            lista->ListView1()->Modelo().Marcar(0, true);
        }
        QTest::mouseClick(lista->CmdAceptar(), Qt::LeftButton);
    } else if (auto* arbol = qobject_cast<lookup::Lib_FrmCons3Tree*>(&ventana)) {
        QTreeView& vista = *arbol->TreeV();
        vista.setCurrentIndex(vista.model()->index(0, 0, vista.model()->index(0, 0)));
        QTest::mouseClick(arbol->CmdAceptar(), Qt::LeftButton);
    }
}

class EjemplosTest : public ::testing::Test {
  protected:
    EjemplosTest() {
        previo_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.Path().toUtf8());
    }
    ~EjemplosTest() override {
        qputenv("XDG_DATA_HOME", previo_);
        rt::DefaultInstance<lookup::Lib_FrmCons3>::Release();
        rt::DefaultInstance<lookup::Lib_FrmCons3Tree>::Release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The example's words with its /tmp/ files in the test's own folder.
    QStringList Argumentos(const Ejemplo& e) const {
        QStringList args = e.palabras.mid(1);
        for (QString& arg : args) {
            arg.replace(QStringLiteral("/tmp/"), datos.Path() + QLatin1Char('/'));
        }
        return args;
    }

    int Dbtool(const Ejemplo& e, QString& error) const {
        QProcess proceso;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("XDG_DATA_HOME"), datos.Path());
        proceso.setProcessEnvironment(entorno);
        proceso.start(QStringLiteral(DBTOOL_PATH), Argumentos(e));
        proceso.write(e.entrada);
        proceso.closeWriteChannel();
        EXPECT_TRUE(proceso.waitForFinished(120000));
        error = QString::fromUtf8(proceso.readAllStandardError());
        return proceso.exitCode();
    }

    int Consulta(const Ejemplo& e, QString& error) {
        dialogs.OnModal(TomarLoPrimero);
        QString salida;
        QTextStream out(&salida);
        QTextStream err(&error);
        const int codigo = tools::RunConsulta(Argumentos(e), out, err);
        err.flush();
        db::DB_Dll& db = db::DB_Dll::Default();
        if (db.gCnn()->State() != ado::adStateClosed) {
            db.gCnn()->Close();
        }
        db.gConnString.clear();
        return codigo;
    }

    TempDir datos;
    ScriptedDialogs dialogs;

  private:
    QByteArray previo_;
};

TEST_F(EjemplosTest, EveryDocumentedExampleRuns) {
    const std::vector<Ejemplo> ejemplos = TodosLosEjemplos();
    ASSERT_GE(ejemplos.size(), 10u) << "the documents lost their examples";
    QStringList conVentanaPropia;
    for (const Ejemplo& e : ejemplos) {
        const QString programa = e.palabras.value(0);
        QString error;
        // The cheque window, and "Control de Acceso", wait for a person at a display.
        if (programa == QLatin1String("cheques") || e.palabras.contains(QStringLiteral("--ask"))) {
            conVentanaPropia << e.comando;
            continue;
        }
        const int codigo =
            programa == QLatin1String("dbtool") ? Dbtool(e, error) : Consulta(e, error);
        EXPECT_EQ(codigo, 0) << e.documento.toStdString() << ": " << e.comando.toStdString() << "\n"
                             << error.toStdString();
    }
    std::cout << "Need a person at a display, not run: "
              << conVentanaPropia.join(QStringLiteral("; ")).toStdString() << '\n';
}

}  // namespace
