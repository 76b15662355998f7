#include "SqlScript.h"

#include <algorithm>
#include <array>
#include <limits>

#include "runtime/Text.h"

namespace db {

namespace {

struct Rewrite {
    const char* find;
    const char* replacement;
};

// Applied in this order, each to every occurrence, ignoring case.
constexpr std::array<Rewrite, 14> kNormalisation{{
    {"SET NOCOUNT ON", ""},
    {"SET NOCOUNT OFF", ""},
    {" GO ", " "},
    {"\r\nGO ", " "},
    {"\r\nGO ", " "},  // again: catches a GO line directly followed by another
    {"\r\nGO\r\n", " "},
    {"\r\n", " "},
    {"\r", " "},
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

constexpr qsizetype kNone = std::numeric_limits<qsizetype>::max();

// Finds the next keyword at or after a rising position. Each keyword keeps its next
// occurrence and is searched again only once the position has passed it, so every part of the
// script is scanned once per keyword however many statements it holds.
class KeywordFinder {
  public:
    explicit KeywordFinder(const QString& text) : text_(text) { next_.fill(-1); }

    qsizetype NextFrom(qsizetype from) {
        qsizetype best = kNone;
        for (std::size_t i = 0; i < kKeywords.size(); ++i) {
            if (next_[i] != kNone && next_[i] < from) {
                const qsizetype at =
                    text_.indexOf(QLatin1String(kKeywords[i]), from, Qt::CaseInsensitive);
                next_[i] = at < 0 ? kNone : at;
            }
            best = std::min(best, next_[i]);
        }
        return best;
    }

  private:
    const QString& text_;
    std::array<qsizetype, kKeywords.size()> next_{};
};

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
    if (ejecutadas == 0) {
        return normalizado;
    }
    const std::size_t last = std::min(ejecutadas, sentencias.size()) - 1;
    return normalizado.mid(sentencias[last].fin);
}

QString NormalizaScript(const QString& script) {
    QString text = script;
    for (const Rewrite& step : kNormalisation) {
        text.replace(QLatin1String(step.find), QLatin1String(step.replacement),
                     Qt::CaseInsensitive);
    }
    return text;
}

ScriptCortado CortaScript(const QString& script) {
    ScriptCortado cut{NormalizaScript(script), {}};
    const QString& text = cut.normalizado;
    KeywordFinder finder(text);
    qsizetype start = finder.NextFrom(0);
    while (start != kNone) {
        const qsizetype next = finder.NextFrom(start + 1);
        const qsizetype end = next == kNone ? text.size() : next;
        QString statement =
            rt::text::TrimView(QStringView(text).sliced(start, end - start)).toString();
        const TipoSentencia kind = Classify(statement);
        cut.sentencias.push_back({std::move(statement), kind, end});
        start = next;
    }
    return cut;
}

QString FiltraSentencia(QString& sentencia) {
    if (rt::text::Contains(sentencia, QStringLiteral("SET NOCOUNT")) ||
        rt::text::Contains(sentencia, QStringLiteral("IF NOT EXIST"))) {
        sentencia.clear();
    }
    return sentencia;
}

}  // namespace db
