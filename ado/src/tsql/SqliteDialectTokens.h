#pragma once

#include "SqlTokens.h"

// The dialect rewrites on tokens, so that a batch tokenized once is rewritten statement by
// statement without reading its text again. Each has a text form in ado/SqliteDialect.h.
namespace ado {

// Every rewrite in turn, on the tokens of one statement (or of several separated by ";").
SqlTokens ToSqliteTokens(SqlTokens tokens);
// False when no rewrite would change the tokens, so that their text can go as it stands.
bool NeedsRewrite(const SqlTokens& tokens);

SqlTokens RewriteTopTokens(const SqlTokens& tokens);
SqlTokens RewriteFunctionNameTokens(SqlTokens tokens);
SqlTokens RemoveOwnerTokens(const SqlTokens& tokens);
SqlTokens RewriteUnicodeTokens(const SqlTokens& tokens);
SqlTokens AddCollationTokens(const SqlTokens& tokens);
SqlTokens RemoveTableHintTokens(const SqlTokens& tokens);
SqlTokens RewriteIdentityFunctionTokens(const SqlTokens& tokens);
SqlTokens RewriteIdentityColumnTokens(const SqlTokens& tokens);
SqlTokens RewriteConcatenationTokens(SqlTokens tokens);
SqlTokens AddExpressionCollationTokens(const SqlTokens& tokens);

// True for the names of SQL Server's text types (varchar, nvarchar, text...).
bool IsTextTypeName(const SqlToken& token);

// Tokens for generated text: a word, a symbol, one blank.
SqlToken WordToken(const QString& text);
SqlToken SymbolToken(const QString& text);
SqlToken SpaceToken();

}  // namespace ado
