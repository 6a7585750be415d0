#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The language the window speaks. The log does not follow it: it stays in English for service.
namespace language {

// The languages the program carries besides English, as its translation files name them.
const QStringList& available();

// The language the environment asks for, from LANGUAGE (a list, first match wins), LC_ALL,
// LC_MESSAGES and LANG in this order, as gettext reads them; "en" when none of them names
// an available language. Names are matched by language alone ("de_AT.UTF-8" is "de"), but
// Chinese only in its simplified writing.
QString choose(const QProcessEnvironment& environment);

// Makes the window speak the language: the program's own texts and Qt's (the save dialog's
// buttons). Returns false, and speaks English, when the language cannot be loaded.
bool install(const QString& code);

// The Debian package whose fonts draw the language's letters, for a system that has none.
QString font_package(const QString& code);

// The language installed, "en" before any.
QString current();

// Its name in the language itself, for the log header.
QString native_name(const QString& code);

} // namespace language
