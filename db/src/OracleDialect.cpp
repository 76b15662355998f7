#include "OracleDialect.h"

#include <QDate>
#include <QSet>
#include <algorithm>
#include <array>
#include <string>

#include "EsOracle.h"
#include "SqlWords.h"
#include "cheques/runtime/RuntimeError.h"
#include "cheques/runtime/Text.h"

namespace db {

namespace {

using rt::text::Contains;
using rt::text::TrimView;

constexpr std::array<const char*, 85> kDateColumns{
    "FECHA",
    "FECHAD",
    "FECHAH",
    "VENCIMIENTO",
    "FECHASUBDIARIO",
    "FECHAENTREGA",
    "FECHA_A_VENCER",
    "FECHA_DMR",
    "INGRESO",
    "EGRESO",
    "FECHAHORA_GRABACION",
    "FECHAHORA_MODIFICACION",
    "FECHA_COMPRA",
    "FECHA_REVALUACION",
    "VENCIMIENTO_REGISTRO",
    "VENCIMIENTO_SEGURO",
    "VTO_VTV",
    "VTO_C_VERDE",
    "VTO_SEGURO",
    "FECHAAVISO",
    "FECHAALARMA",
    "FECHALEIDO",
    "FECHAPRESENTACION",
    "FECHAVTOPRESENTACION",
    "FECHA_CIERRE",
    "FECHAMOV",
    "FECHA_DESDE",
    "FECHA_HASTA",
    "FECHA_ALTA",
    "FECHA_MODIFICACION",
    "\"FECHA DESDE\"",
    "\"FECHA HASTA\"",
    "FECHA_INICIO",
    "FECHA_FINALIZACION",
    "FECHA_RENDICION",
    "ACARGODESDE",
    "FECHACASAMIENTO",
    "FECHAINGRESO",
    "FECHANACIMIENTO",
    "FECHAINGRESOANTERIOR",
    "FECHAEGRESO",
    "VENCECONTRATO",
    "FECHAALTA",
    "PDESDE",
    "PHASTA",
    "FECHAPROCESO",
    "FECHAHORAENTREVISTA",
    "FECHAOPERATIVA",
    "FECHAPAGO",
    "FECHAHORA",
    "FECHASOLICITUD",
    "FECHACARGA",
    "FECHACOMPROMETIDO",
    "FECHAORDENCPRA",
    "VENCEM",
    "VENCER",
    "FECHA_GRABACION",
    "FHOFERTADESDE",
    "FHOFERTAHASTA",
    "FHOPERATIVA",
    "FHALTA",
    "FHCIERRE",
    "COT_FECHA",
    "FECHAESTINCIO",
    "FECHAESTFIN",
    "FECHAFINALIZACION",
    "FECHAENCPTE",
    "FECHAINCIO",
    "FECHAFIN",
    "FECHAREALINICIO",
    "FECHAREALFIN",
    "FECHAINVIADO",
    "FECHARECIBIDO",
    "ACTUALIZADO",
    "FECHA_ANULACION",
    "DIAMOLIENDA",
    "DIAMEZCLA",
    "FECHAEMISION",
    "FINALIZADO",
    "SINCRONIZADO",
    "VENCEA",
    "VENCEB",
    "VENCEC",
    "VENCEE",
    "VENCEX",
};

constexpr auto kDateColumnLengths =
    std::minmax_element(kDateColumns.begin(), kDateColumns.end(), [](const char* a, const char* b) {
        return std::char_traits<char>::length(a) < std::char_traits<char>::length(b);
    });
constexpr qsizetype kShortestDateColumn = std::char_traits<char>::length(*kDateColumnLengths.first);
constexpr qsizetype kLongestDateColumn = std::char_traits<char>::length(*kDateColumnLengths.second);

const QSet<QString>& DateColumnSet() {
    static const QSet<QString> set = [] {
        QSet<QString> names;
        for (const char* name : kDateColumns) {
            names.insert(QString::fromLatin1(name));
        }
        return names;
    }();
    return set;
}

// Where "TOP " stands as a word of its own outside quoted texts and names ('...', "...",
// [...]), or -1: TOP inside a longer name (LAPTOP) or a literal ('Stop Sur') is no row limit.
qsizetype RowLimitAt(const QString& valor) {
    static constexpr QLatin1String kTop("top ");
    QChar closing;  // the character that ends the quoted text being skipped, if any
    for (qsizetype i = 0; i < valor.size(); ++i) {
        const QChar c = valor[i];
        if (!closing.isNull()) {
            closing = c == closing ? QChar() : closing;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            closing = c;
        } else if (c == QLatin1Char('[')) {
            closing = QLatin1Char(']');
        } else if (EsPalabraEn(valor, i, kTop)) {
            return i;
        }
    }
    return -1;
}

// Row limit: "select top n body [group by ...|order by ...]" becomes the body with a ROWNUM
// condition in front of the grouping or ordering clause. Works on the text as written.
QString RowLimit(const QString& valor, qsizetype top) {
    const QString rest = rt::text::Trim(valor.mid(top + 3));
    const qsizetype space = rest.indexOf(QLatin1Char(' '));
    if (space < 0) {
        rt::RuntimeError::Raise(rt::err::InvalidProcedureCall);
    }
    const QString count = rest.left(space);
    QString grouping;
    QString ordering;
    if (const qsizetype at = valor.indexOf(u" GROUP BY ", 0, Qt::CaseInsensitive); at >= 0) {
        grouping = valor.mid(at);
    } else if (const qsizetype at2 = valor.indexOf(u" ORDER BY ", 0, Qt::CaseInsensitive);
               at2 >= 0) {
        ordering = valor.mid(at2);
    }
    const QString condition =
        (Contains(valor, QStringLiteral(" WHERE ")) ? QStringLiteral(" AND ROWNUM <= ")
                                                    : QStringLiteral(" WHERE ROWNUM <= ")) +
        count;
    QString body = rest.mid(space + 1);
    body = rt::text::ReplaceAll(body, rt::text::Trim(grouping), QStringLiteral(" "));
    body = rt::text::ReplaceAll(body, rt::text::Trim(ordering), QStringLiteral(" "));
    return valor.left(top) + QLatin1Char(' ') + body + QLatin1Char(' ') + condition +
           QLatin1Char(' ') + grouping + QLatin1Char(' ') + ordering;
}

// " LEN(" with up to four spaces before the parenthesis becomes " LENGTH(".
void LengthFunction(QString& work) {
    for (int spaces = 0; spaces <= 4; ++spaces) {
        const QString find =
            QStringLiteral(" LEN") + QString(spaces, QLatin1Char(' ')) + QLatin1Char('(');
        work.replace(find, QStringLiteral(" LENGTH("), Qt::CaseInsensitive);
    }
}

bool IsSeparator(QChar c) {
    switch (c.unicode()) {
        case u' ':
        case u'<':
        case u'>':
        case u'"':
        case u'=':
        case u'(':
        case u')':
            return true;
        default:
            return false;
    }
}

// Index just past the token that starts at `from`: a quoted token runs to its closing quote
// (or the end), a doubled quote inside it being part of the text ('O''Brien' is one token,
// which a space between its halves would turn into two); any other token runs to the first
// separator after its first character, inclusive.
qsizetype TokenEnd(QStringView where, qsizetype from) {
    const QChar first = where[from];
    if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
        qsizetype close = where.indexOf(first, from + 1);
        while (close >= 0 && close + 1 < where.size() && where[close + 1] == first) {
            close = where.indexOf(first, close + 2);
        }
        return close < 0 ? where.size() : close + 1;
    }
    for (qsizetype i = from + 1; i < where.size(); ++i) {
        if (IsSeparator(where[i])) {
            return i + 1;
        }
    }
    return where.size();
}

void AppendToken(QString& out, QStringView token) {
    out += QLatin1Char(' ');
    if (!EsColumnaFecha(token)) {
        out += token;
        return;
    }
    out += u"TO_DATE(TO_CHAR(";
    out += token;
    out += u",'DD/MM/YYYY'),'DD/MM/YYYY')";
}

// The WHERE part is rebuilt token by token, one space apart, with every date column wrapped
// so that it compares by day.
QString DateColumns(const QString& work) {
    const qsizetype at = work.indexOf(u" WHERE ", 0, Qt::CaseInsensitive);
    if (at < 0) {
        return work;
    }
    const QStringView where = TrimView(QStringView(work).sliced(at));
    QString out = TrimView(QStringView(work).first(at)).toString();
    out.reserve(work.size() + work.size() / 2);
    qsizetype pos = 0;
    while (pos < where.size()) {
        if (where[pos] == QLatin1Char(' ')) {
            ++pos;
            continue;
        }
        const qsizetype end = TokenEnd(where, pos);
        AppendToken(out, TrimView(where.sliced(pos, end - pos)));
        pos = end;
    }
    return out;
}

bool HasDigit(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

void AppendLiteral(QString& out, QStringView quoted) {
    const QStringView inner = quoted.sliced(1, quoted.size() - 2);
    const auto date = HasDigit(inner) ? rt::text::TextToDate(inner.toString()) : std::nullopt;
    if (!date) {
        out += quoted;
        return;
    }
    out += u"TO_DATE('";
    out += date->toString(QStringLiteral("dd/MM/yyyy"));
    out += u"','DD/MM/YYYY')";
}

// Every quoted text that reads as a date in the user's locale becomes a TO_DATE of that date.
// Each literal is converted where it stands, so a date written twice is converted once at
// each place rather than wrapped again inside the first conversion.
QString DateLiterals(const QString& work) {
    QString out;
    out.reserve(work.size() + work.size() / 2);
    qsizetype from = 0;
    while (true) {
        const qsizetype open = work.indexOf(QLatin1Char('\''), from);
        if (open < 0) {
            out += QStringView(work).sliced(from);
            return out;
        }
        const qsizetype close = work.indexOf(QLatin1Char('\''), open + 1);
        if (close < 0) {
            rt::RuntimeError::Raise(rt::err::InvalidProcedureCall);
        }
        out += QStringView(work).sliced(from, open - from);
        AppendLiteral(out, QStringView(work).sliced(open, close - open + 1));
        from = close + 1;
    }
}

QString Rewrite(const QString& valor, QString work) {
    if (const qsizetype top = RowLimitAt(valor); top >= 0) {
        work = RowLimit(valor, top);
    }
    LengthFunction(work);
    work.replace(QLatin1Char('['), QLatin1Char('"'));
    work.replace(QLatin1Char(']'), QLatin1Char('"'));
    work = DateLiterals(DateColumns(work));
    return work.replace(QStringLiteral("Charindex"), QStringLiteral("InStr"), Qt::CaseInsensitive);
}

}  // namespace

std::span<const char* const> ColumnasFecha() {
    return kDateColumns;
}

bool EsColumnaFecha(QStringView token) {
    // Most tokens are shorter than any name and need no lookup.
    if (token.size() < kShortestDateColumn || token.size() > kLongestDateColumn) {
        return false;
    }
    return DateColumnSet().contains(token.toString().toUpper());
}

QString ORACLE_Dicc(const QString& valor, const QString& connString,
                    const WordCounter& contarPalabras) {
    QString work = rt::text::UCase(valor);
    if (!EsConexionOracle(connString)) {
        return work;
    }
    if (contarPalabras(valor) <= 1) {
        return work == u"LEN" ? QStringLiteral("LENGTH") : work;
    }
    return Rewrite(valor, std::move(work));
}

}  // namespace db
