#include "cheques/vexilo/VexIni.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>
#include <vector>

#include "DiscoLleno.h"
#include "EscritoresALaVez.h"
#include "Printers.h"
#include "ScopedConfigHome.h"
#include "TempDir.h"
#include "cheques/runtime/DefaultInstance.h"
#include "cheques/runtime/RuntimeError.h"

using vexilo::VexIni;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const QByteArray kSample =
    "; Configuracion del puesto\n"
    "[General]\n"
    "Usuario=ana\n"
    "; la impresora de la caja\n"
    "Impresora = HP LaserJet \n"
    "\n"
    "[FrmChequesEnCartera]\n"
    "Top=1200\n"
    "Left=3400\n"
    "\n"
    "[Otra]\n"
    "Clave=\"  con blancos  \"\n";

class VexIniTest : public ::testing::Test {
  protected:
    TempDir dir;
    VexIni ini;
    QString File(const QString& name = QStringLiteral("CN000pr.INI")) const {
        return dir.File(name);
    }
};

}  // namespace

TEST_F(VexIniTest, MissingFileSectionOrKeyGivesTheDefaultAsText) {
    EXPECT_EQ(ini.LeerValor(File(), "FrmChequesEnCartera", "Top", 7), "7");
    EXPECT_EQ(ini.LeerValor(File(), "FrmChequesEnCartera", "Top", 12.5), "12,5");  // es_AR
    WriteBytes(File(), kSample);
    EXPECT_EQ(ini.LeerValor(File(), "NoHay", "Top", 3), "3");
    EXPECT_EQ(ini.LeerValor(File(), "FrmChequesEnCartera", "Width", -4), "-4");
    // A key of another section does not count.
    EXPECT_EQ(ini.LeerValor(File(), "General", "Top", 9), "9");
    EXPECT_FALSE(QFile::exists(File("nada.ini")));
    EXPECT_EQ(ini.LeerValor(File("nada.ini"), "A", "B", 0), "0");
    EXPECT_FALSE(QFile::exists(File("nada.ini"))) << "reading creates nothing";
}

TEST_F(VexIniTest, SectionsAndKeysMatchIgnoringCase) {
    WriteBytes(File(), kSample);
    EXPECT_EQ(ini.LeerValor(File(), "frmchequesencartera", "TOP", 0), "1200");
    EXPECT_EQ(ini.LeerValor(File(), "FRMCHEQUESENCARTERA", "left", 0), "3400");
    EXPECT_EQ(ini.LeerValor(File(), "general", "IMPRESORA", 0), "HP LaserJet");
    EXPECT_EQ(ini.LeerValor(File(), "Otra", "clave", 0), "  con blancos  ");
}

TEST_F(VexIniTest, ValuesWithEqualsSignsAndSpacesRoundTrip) {
    ini.GrabarValor(File(), "Conexion", "Cadena", "Provider=SQLOLEDB;Data Source=srv 1;a=b");
    ini.GrabarValor(File(), "Conexion", "Titulo", "Consulta de Cheques");
    EXPECT_EQ(ini.LeerValor(File(), "Conexion", "Cadena", 0),
              "Provider=SQLOLEDB;Data Source=srv 1;a=b");
    EXPECT_EQ(ini.LeerValor(File(), "Conexion", "Titulo", 0), "Consulta de Cheques");
    ini.GrabarValor(File(), "Conexion", "Titulo", "dos\r\nlineas");
    EXPECT_EQ(ini.LeerValor(File(), "Conexion", "Titulo", 0), "dos lineas");
    EXPECT_EQ(ReadBytes(File()),
              "[Conexion]\nCadena=Provider=SQLOLEDB;Data Source=srv 1;a=b\nTitulo=dos lineas\n");
}

// A last line that ends in a lone CR (a file cut short by its writer) gets its line feed, so
// that the key added after it is a line of its own.
TEST_F(VexIniTest, AKeyAddedAfterALastLineEndingInACarriageReturnStandsOnItsOwnLine) {
    WriteBytes(File(), "[S]\r\nA=1\r");
    ini.GrabarValor(File(), "S", "K", "2");
    EXPECT_EQ(ReadBytes(File()), "[S]\r\nA=1\r\nK=2\r\n");
    EXPECT_EQ(ini.LeerValor(File(), "S", "K", 0), "2");
    EXPECT_EQ(ini.LeerValor(File(), "S", "A", 0), "1");
}

TEST_F(VexIniTest, WritingKeepsEverythingElse) {
    WriteBytes(File(), kSample);
    ini.GrabarValor(File(), "frmChequesEnCartera", "TOP", "1500");
    ini.GrabarValor(File(), "General", "Nuevo", "x");
    ini.GrabarValor(File(), "Agregada", "K", "v");
    EXPECT_EQ(ReadBytes(File()),
              "; Configuracion del puesto\n"
              "[General]\n"
              "Usuario=ana\n"
              "; la impresora de la caja\n"
              "Impresora = HP LaserJet \n"
              "Nuevo=x\n"
              "\n"
              "[FrmChequesEnCartera]\n"
              "Top=1500\n"
              "Left=3400\n"
              "\n"
              "[Otra]\n"
              "Clave=\"  con blancos  \"\n"
              "\n"
              "[Agregada]\n"
              "K=v\n");
}

TEST_F(VexIniTest, FilesWrittenOnWindowsReadAndKeepTheirForm) {
    // CRLF line ends, ANSI text: "Año" with n-tilde 0xF1, a euro sign 0x80, no final line end.
    const QByteArray windows =
        "[Datos]\r\nSucursal=A\xF1o 2024\r\nMoneda=\x80\r\n; \xFAltima l\xEDnea\r\n\r\n[Pos]\r\n"
        "Top=1,5";
    WriteBytes(File(), windows);
    EXPECT_EQ(ini.LeerValor(File(), "datos", "sucursal", 0), QString::fromUtf8("Año 2024"));
    EXPECT_EQ(ini.LeerValor(File(), "Datos", "Moneda", 0), QString::fromUtf8("€"));
    EXPECT_EQ(ini.LeerValor(File(), "Pos", "Top", 0), "1,5");

    ini.GrabarValor(File(), "Pos", "Left", QString::fromUtf8("Peñarol"));
    EXPECT_EQ(ReadBytes(File()),
              "[Datos]\r\nSucursal=A\xF1o 2024\r\nMoneda=\x80\r\n; \xFAltima l\xEDnea\r\n\r\n"
              "[Pos]\r\nTop=1,5\r\nLeft=Pe\xF1"
              "arol\r\n");

    // A value that ANSI text cannot hold turns the file into UTF-8, losing nothing.
    ini.GrabarValor(File(), "Pos", "Flecha", QString::fromUtf8("→"));
    EXPECT_EQ(ini.LeerValor(File(), "Pos", "Flecha", 0), QString::fromUtf8("→"));
    EXPECT_EQ(ini.LeerValor(File(), "Datos", "Sucursal", 0), QString::fromUtf8("Año 2024"));
    EXPECT_TRUE(ReadBytes(File()).startsWith("[Datos]\r\nSucursal=A\xC3\xB1o 2024\r\n"));
}

// A write keeps every other line byte for byte (its own line end included) and keeps the
// file's encoding, so that every other value reads back as it was. The first cases are what a
// fuzzing run found: a CR lost from "\r\r\n", and an ANSI file read back as UTF-8.
TEST_F(VexIniTest, AWriteKeepsEveryOtherLineAndTheEncoding) {
    struct Read {
        const char* key;
        const char* value;  // UTF-8
    };
    struct Case {
        const char* name;
        QByteArray before;
        const char* key;
        const char* value;  // UTF-8
        QByteArray after;
        std::vector<Read> reads;
    };
    const Case cases[] = {
        {"CR CR LF kept on another line",
         "[S]\r\nA=1\r\r\nB=2\r\n",
         "B",
         "3",
         "[S]\r\nA=1\r\r\nB=3\r\n",
         {{"A", "1"}, {"B", "3"}}},
        {"CR CR LF kept in a file of LF lines",
         "[S]\nA=1\r\r\nB=2\n",
         "B",
         "3",
         "[S]\nA=1\r\r\nB=3\n",
         {{"A", "1"}}},
        {"CR CR LF kept on the line written",
         "[S]\nA=1\r\r\n",
         "A",
         "2",
         "[S]\nA=2\r\r\n",
         {{"A", "2"}}},
        {"mixed line ends kept, new line as the first",
         "[S]\r\nA=1\nB=2\r\n",
         "C",
         "3",
         "[S]\r\nA=1\nB=2\r\nC=3\r\n",
         {{"A", "1"}, {"B", "2"}, {"C", "3"}}},
        {"last line without a line end stays so",
         "[S]\nA=1\nB=2",
         "A",
         "5",
         "[S]\nA=5\nB=2",
         {{"B", "2"}}},
        {"ANSI file whose other bytes read as UTF-8",
         "[S]\r\nViejo=\xC3\xA9\r\nNuevo=\xF1\r\n",
         "Nuevo",
         "n",
         "; Codificaci\xF3n: Windows-1252\r\n[S]\r\nViejo=\xC3\xA9\r\nNuevo=n\r\n",
         {{"Viejo", "Ã©"}, {"Nuevo", "n"}}},
        {"ANSI value that reads as UTF-8 once written",
         "[S]\nA=\xF1\n",
         "A",
         "Ã±",
         "; Codificaci\xF3n: Windows-1252\n[S]\nA=\xC3\xB1\n",
         {{"A", "Ã±"}}},
        {"ANSI file that becomes plain ASCII",
         "[S]\nA=\xF1\n",
         "A",
         "n",
         "[S]\nA=n\n",
         {{"A", "n"}}},
        {"ANSI file that stays ANSI needs no mark",
         "[S]\nA=\xF1\nB=1\n",
         "B",
         "\xC3\xA9",
         "[S]\nA=\xF1\nB=\xE9\n",
         {{"A", "ñ"}, {"B", "é"}}},
    };
    for (const Case& c : cases) {
        WriteBytes(File(), c.before);
        ini.GrabarValor(File(), "S", c.key, QString::fromUtf8(c.value));
        EXPECT_EQ(ReadBytes(File()), c.after) << c.name;
        for (const Read& r : c.reads) {
            EXPECT_EQ(ini.LeerValor(File(), "S", r.key, 0), QString::fromUtf8(r.value))
                << c.name << ": " << r.key;
        }
    }
}

TEST_F(VexIniTest, UnicodeFilesKeepTheirByteOrderMark) {
    WriteBytes(File("utf8.ini"), "\xEF\xBB\xBF[S]\nK=Ni\xC3\xB1o\n");
    EXPECT_EQ(ini.LeerValor(File("utf8.ini"), "S", "K", 0), QString::fromUtf8("Niño"));
    ini.GrabarValor(File("utf8.ini"), "S", "J", "1");
    EXPECT_EQ(ReadBytes(File("utf8.ini")), "\xEF\xBB\xBF[S]\nK=Ni\xC3\xB1o\nJ=1\n");

    QByteArray utf16("\xFF\xFE", 2);
    for (const char c : QByteArray("[S]\r\nK=v\r\n")) {
        utf16.append(c);
        utf16.append('\0');
    }
    WriteBytes(File("utf16.ini"), utf16);
    EXPECT_EQ(ini.LeerValor(File("utf16.ini"), "s", "k", 0), "v");
    ini.GrabarValor(File("utf16.ini"), "S", "K", "w");
    EXPECT_EQ(ini.LeerValor(File("utf16.ini"), "S", "K", 0), "w");
    EXPECT_TRUE(ReadBytes(File("utf16.ini")).startsWith("\xFF\xFE[\0S\0]\0\r\0\n\0"));
}

TEST_F(VexIniTest, ANameWithoutFolderLivesInTheUsersConfigurationFolder) {
    const ScopedConfigHome home(dir.File("config"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(folder.startsWith(dir.File("config"))) << folder.toStdString();
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_EQ(VexIni::Ruta("CN000pr.INI"), folder + "/CN000pr.INI");

    ini.GrabarValor("CN000pr.INI", "FrmChequesEnCartera", "Top", "10");
    EXPECT_EQ(ReadBytes(folder + "/CN000pr.INI"), "[FrmChequesEnCartera]\nTop=10\n");
    EXPECT_EQ(ini.LeerValor("CN000pr.INI", "FrmChequesEnCartera", "Top", 0), "10");
}

TEST_F(VexIniTest, ANameWithAFolderIsUsedAsGiven) {
    const QString path = dir.File("sub/dir/otro.ini");
    EXPECT_EQ(VexIni::Ruta(path), path);
    ini.GrabarValor(path, "A", "B", "C");
    EXPECT_EQ(ReadBytes(path), "[A]\nB=C\n");
}

TEST_F(VexIniTest, AFileNameThatDiffersOnlyInCaseIsTheSameFile) {
    WriteBytes(File("cn000pr.ini"), "[FrmChequesEnCartera]\r\nTop=5\r\n");
    EXPECT_EQ(VexIni::Ruta(File("CN000pr.INI")), File("cn000pr.ini"));
    EXPECT_EQ(ini.LeerValor(File("CN000pr.INI"), "FrmChequesEnCartera", "Top", 0), "5");
    ini.GrabarValor(File("CN000pr.INI"), "FrmChequesEnCartera", "Left", "6");
    EXPECT_FALSE(QFile::exists(File("CN000pr.INI")));
    EXPECT_EQ(ReadBytes(File("cn000pr.ini")), "[FrmChequesEnCartera]\r\nTop=5\r\nLeft=6\r\n");
}

TEST_F(VexIniTest, AWriteThatFailsPartWayLeavesTheOldFileIntact) {
    WriteBytes(File(), kSample);
    // Limit the size of any file this process writes, so that the new text fails part-way.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    int number = 0;
    try {
        ini.GrabarValor(File(), "General", "Grande", QString(100000, QLatin1Char('x')));
    } catch (const rt::RuntimeError& e) {
        number = e.Number();
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(number, 75);
    EXPECT_EQ(ReadBytes(File()), kSample);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"CN000pr.INI"})
        << "no temporary file is left behind";
}

// A full disk: with no room at all the lock cannot be made; with room for the lock only, the
// new text stays in the write buffer until the file is closed and cannot be written. Either way
// the store raises and keeps the old file, window keys and other sections included.
class VexIniFullDiskTest : public ::testing::TestWithParam<CasoDiscoLleno> {};

TEST_P(VexIniFullDiskTest, KeepsTheFileWhole) {
    const DiscoLleno disco;
    if (!disco.Montado()) {
        GTEST_SKIP() << disco.Motivo().toStdString();
    }
    const QString ruta = disco.Archivo(QStringLiteral("CN000pr.INI"));
    WriteBytes(ruta, kSample);
    ASSERT_TRUE(disco.Llenar(GetParam().paginasLibres));
    for (const char* clave : {"Top", "Left"}) {
        try {
            VexIni().GrabarValor(ruta, "FrmChequesEnCartera", clave, "1995");
            ADD_FAILURE() << "writing on a full disk succeeded";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 75);
            EXPECT_EQ(e.Source(), ruta);
        }
    }
    EXPECT_EQ(ReadBytes(ruta), kSample);
    EXPECT_EQ(QDir(disco.Carpeta()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{".relleno", "CN000pr.INI"}))
        << "no lock or temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(Disks, VexIniFullDiskTest, ::testing::ValuesIn(kDiscosLlenos), CaseName());

TEST_F(VexIniTest, AFolderThatCannotBeWrittenRaisesAndKeepsTheFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const QString folder = dir.File("cerrada");
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(folder + "/x.ini", kSample);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(ini.GrabarValor(folder + "/x.ini", "General", "Usuario", "otro"),
                 rt::RuntimeError);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadBytes(folder + "/x.ini"), kSample);
}

// Anything but a regular file at the path reads as the defaults and is left alone when written,
// with an error instead of a wait.
struct NoFileCase {
    const char* name;
    bool fifo;  // otherwise a folder
};

class VexIniNoFileTest : public VexIniTest, public ::testing::WithParamInterface<NoFileCase> {};

TEST_P(VexIniNoFileTest, ReadsAsDefaultAndCannotBeWritten) {
    const QString path = File("otra.ini");
    if (GetParam().fifo) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        ASSERT_TRUE(QDir().mkpath(path));
    }
    EXPECT_EQ(ini.LeerValor(path, "A", "B", 1), "1");
    try {
        ini.GrabarValor(path, "A", "B", "C");
        ADD_FAILURE() << "writing over something else than a file succeeded";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 75);
        EXPECT_EQ(e.Source(), path);
    }
    const QFileInfo info(path);
    EXPECT_TRUE(GetParam().fifo ? info.exists() && !info.isFile() && !info.isDir() : info.isDir());
}

INSTANTIATE_TEST_SUITE_P(Cases, VexIniNoFileTest,
                         ::testing::Values(NoFileCase{"Folder", false}, NoFileCase{"Fifo", true}),
                         CaseName());

// Four programs writing their own keys of one file at the same moment keep all four, and every
// other line: each reads, changes and renames under the file's lock.
TEST_F(VexIniTest, FourWritersAtOnceKeepEveryKey) {
    constexpr int kVeces = 15;
    WriteBytes(File(), kSample);
    std::vector<QStringList> escritores;
    for (int i = 1; i <= 4; ++i) {
        escritores.push_back(
            {"ini", File(), QStringLiteral("K%1").arg(i), QString::number(kVeces)});
    }
    const QString fallos = EscribirALaVez(QStringLiteral(REESCRITOR_PATH), escritores);
    EXPECT_TRUE(fallos.isEmpty()) << fallos.toStdString();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(ini.LeerValor(File(), "S", QStringLiteral("K%1").arg(i), 0),
                  QString::number(kVeces));
    }
    EXPECT_EQ(ini.LeerValor(File(), "General", "Usuario", 0), "ana");
    EXPECT_EQ(ini.LeerValor(File(), "FrmChequesEnCartera", "Left", 0), "3400");
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"CN000pr.INI"})
        << "no lock or temporary file is left behind";
}

TEST_F(VexIniTest, OneStoreServesTheProgram) {
    VexIni& shared = rt::DefaultInstance<VexIni>::Get();
    EXPECT_EQ(&shared, &rt::DefaultInstance<VexIni>::Get());
    shared.GrabarValor(File(), "S", "K", "v");
    EXPECT_EQ(ini.LeerValor(File(), "S", "K", 0), "v");
}
