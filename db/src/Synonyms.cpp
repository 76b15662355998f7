#include "Synonyms.h"

#include <array>

#include "cheques/runtime/Text.h"

namespace db {

namespace {

struct Synonym {
    const char* plain;
    const char* synonym;
};

// In the order in which they are redirected; the last synonym is spelt differently from its
// plain name on purpose.
constexpr std::array<Synonym, 7> kSynonyms{{
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
}};

struct Context {
    char before;
    char after;
};

constexpr std::array<Context, 5> kContexts{{
    {' ', ' '},
    {'(', ' '},
    {' ', '.'},
    {'(', '.'},
    {',', '.'},
}};

constexpr Context kBraceContext{'{', '.'};

const QString kMarker = QStringLiteral("@Admin_");

void Redirect(QString& work, const Synonym& name, Context context) {
    const auto wrap = [&](const char* text) {
        return QLatin1Char(context.before) + QLatin1String(text) + QLatin1Char(context.after);
    };
    work.replace(wrap(name.plain), wrap(name.synonym), Qt::CaseInsensitive);
}

void RedirectAllContexts(QString& work, const Synonym& name) {
    for (const Context& context : kContexts) {
        Redirect(work, name, context);
    }
}

}  // namespace

QString QuitaMarcaAdmin(const QString& sql) {
    return rt::text::ReplaceAll(sql, kMarker, {});
}

QString SS_TSinonimos(const QString& sql, bool esAdmin) {
    if (esAdmin) {
        return QuitaMarcaAdmin(sql);
    }
    QString work = sql;
    RedirectAllContexts(work, kSynonyms[0]);
    Redirect(work, kSynonyms[0], kBraceContext);
    work.replace(kMarker + QLatin1String(kSynonyms[0].plain), QLatin1String(kSynonyms[0].plain),
                 Qt::CaseInsensitive);
    for (std::size_t i = 1; i < kSynonyms.size(); ++i) {
        RedirectAllContexts(work, kSynonyms[i]);
    }
    return work.remove(kMarker, Qt::CaseInsensitive);
}

QString SinonimosParaEjecutar(const QString& sql, bool esAdmin) {
    if (rt::text::Contains(sql, kMarker)) {
        return QuitaMarcaAdmin(sql);
    }
    if (rt::text::Contains(sql, QStringLiteral("DELETE"))) {
        return sql;
    }
    return SS_TSinonimos(sql, esAdmin);
}

}  // namespace db
