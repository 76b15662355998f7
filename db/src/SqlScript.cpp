#include "SqlScript.h"

#include <algorithm>
#include <array>
#include <span>

#include "SqlWords.h"
#include "cheques/runtime/Text.h"

namespace db {

namespace {

struct Rewrite {
    const char* find;
    const char* replacement;
};

const QString kLf = QStringLiteral("\n");
const QString kGoAtTheEnd = QStringLiteral("\nGO");

// Applied to the code of a script (never to its literals or comments) once its line ends are
// all LF, in this order, each to every occurrence, ignoring case.
constexpr std::array<Rewrite, 6> kSeparators{{
    {"SET NOCOUNT ON", ""},
    {"SET NOCOUNT OFF", ""},
    {" GO ", " "},
    {"\nGO ", " "},
    {"\nGO ", " "},  // again: catches a GO line directly followed by another
    {"\nGO\n", " "},
}};

// Once the lines are joined: the switches that the joining may have put together again
// ("SET" and "NOCOUNT ON" on lines of their own), and the transaction statements.
constexpr std::array<Rewrite, 8> kJoined{{
    {"SET NOCOUNT ON", ""},
    {"SET NOCOUNT OFF", ""},
    {"BEGIN TRANSACTION", "SET TRANSACTION"},
    {"BEGIN TRANS", "SET TRANSACTION"},
    {"COMMIT TRANSACTION", "COMMIT"},
    {"COMMIT TRANS", "COMMIT"},
    {"ROLLBACK TRANSACTION", "ROLLBACK"},
    {"ROLLBACK TRANS", "ROLLBACK"},
}};

constexpr std::array<const char*, 11> kKeywords{
    "INSERT ",         "DELETE ", "UPDATE ",  "CREATE ",      "DROP ",    "ALTER ",
    "SET TRANSACTION", "COMMIT",  "ROLLBACK", "IF NOT EXIST", "IF EXIST",
};

// "IF EXIST" and "IF NOT EXIST" are written with their S as often as not.
constexpr std::array<const char*, 2> kPluralKeywords{"IF NOT EXISTS", "IF EXISTS"};

void ApplyAll(QString& text, std::span<const Rewrite> rewrites) {
    for (const Rewrite& step : rewrites) {
        text.replace(QLatin1String(step.find), QLatin1String(step.replacement),
                     Qt::CaseInsensitive);
    }
}

// The code of a script between two literals or comments, made fit for cutting.
QString NormalizaCodigo(QString code, bool last) {
    code.replace(QStringLiteral("\r\n"), kLf);
    ApplyAll(code, kSeparators);
    // A GO alone on the script's last line separates like any other.
    if (last && code.endsWith(kGoAtTheEnd, Qt::CaseInsensitive)) {
        code.replace(code.size() - kGoAtTheEnd.size(), kGoAtTheEnd.size(), QStringLiteral(" "));
    }
    code.replace(QLatin1Char('\n'), QLatin1Char(' '));
    code.replace(QLatin1Char('\r'), QLatin1Char(' '));
    ApplyAll(code, kJoined);
    return code;
}

// The keyword that starts a statement at `at` as a word of its own, if any.
bool KeywordAt(QStringView text, qsizetype at) {
    const auto is = [&](const char* keyword) {
        return EsPalabraEn(text, at, QLatin1String(keyword));
    };
    return std::any_of(kKeywords.begin(), kKeywords.end(), is) ||
           std::any_of(kPluralKeywords.begin(), kPluralKeywords.end(), is);
}

// Where statements start: every keyword standing as a word in the code of the script.
std::vector<qsizetype> StatementStarts(const TrozosSql& trozos, const QString& text) {
    std::vector<qsizetype> starts;
    qsizetype offset = 0;
    for (const TrozoSql& trozo : trozos) {
        const qsizetype end = offset + trozo.texto.size();
        for (qsizetype i = offset; trozo.codigo && i < end; ++i) {
            if (text[i].isLetter() && KeywordAt(text, i)) {
                starts.push_back(i);
            }
        }
        offset = end;
    }
    return starts;
}

TipoSentencia Classify(const QString& statement) {
    using rt::text::Equals;
    if (Equals(statement, QStringLiteral("SET TRANSACTION"))) {
        return TipoSentencia::IniciarTransaccion;
    }
    if (Equals(statement, QStringLiteral("COMMIT"))) {
        return TipoSentencia::ConfirmarTransaccion;
    }
    if (Equals(statement, QStringLiteral("ROLLBACK"))) {
        return TipoSentencia::DeshacerTransaccion;
    }
    return TipoSentencia::Ejecutar;
}

}  // namespace

QString ScriptCortado::Resto(std::size_t ejecutadas) const {
    // With no statement run (or none in the script) the whole normalised text is left.
    const std::size_t run = std::min(ejecutadas, sentencias.size());
    if (run == 0) {
        return normalizado;
    }
    const std::size_t last = run - 1;
    return normalizado.mid(sentencias[last].fin);
}

QString NormalizaScript(const QString& script) {
    QString text;
    for (const TrozoSql& trozo : NormalizaTrozos(script)) {
        text += trozo.texto;
    }
    return text;
}

TrozosSql NormalizaTrozos(const QString& script) {
    TrozosSql trozos = TrozosDeSql(script);
    for (std::size_t i = 0; i < trozos.size(); ++i) {
        if (trozos[i].codigo) {
            trozos[i].texto = NormalizaCodigo(trozos[i].texto, i + 1 == trozos.size());
        }
    }
    return trozos;
}

ScriptCortado CortaScript(const QString& script) {
    const TrozosSql trozos = NormalizaTrozos(script);
    ScriptCortado cut{{}, {}};
    for (const TrozoSql& trozo : trozos) {
        cut.normalizado += trozo.texto;
    }
    const QString& text = cut.normalizado;
    const std::vector<qsizetype> starts = StatementStarts(trozos, text);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const qsizetype start = starts[k];
        const qsizetype end = k + 1 < starts.size() ? starts[k + 1] : text.size();
        QString statement =
            rt::text::TrimView(QStringView(text).sliced(start, end - start)).toString();
        const TipoSentencia kind = Classify(statement);
        cut.sentencias.push_back({std::move(statement), kind, end});
    }
    return cut;
}

QString FiltraSentencia(QString& sentencia) {
    // Only the statement's own words count, not what its literals or comments say.
    QString codigo;
    for (const TrozoSql& trozo : TrozosDeSql(sentencia)) {
        codigo += trozo.codigo ? trozo.texto : QStringLiteral(" ");
    }
    if (rt::text::Contains(codigo, QStringLiteral("SET NOCOUNT")) ||
        rt::text::Contains(codigo, QStringLiteral("IF NOT EXIST"))) {
        sentencia.clear();
    }
    return sentencia;
}

}  // namespace db
