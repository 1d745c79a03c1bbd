// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: Japanese (the default) or English (the source texts), chosen by
// vesk --lang or else by the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG); the Japanese texts
// come from the Qt Linguist translation built into the program, the texts of Qt's own dialogs
// from Qt's translations.
#pragma once

#include <cstdio>

#include "eclipse_list.h"
#include "failure.h"

#include <QString>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

enum class Language { japanese, english };

// The language of a locale's languages in order of preference (QLocale::uiLanguages): Japanese
// for Japanese and for the C locale, which asks for no language; English for every other.
Language languageOfLocale(const QStringList& uiLanguages);

// The language that --lang asks for ("en" or "ja"), else the system locale's.
Language chooseLanguage(const QString& requested);

// The list's type names in a language.
TypeNames typeNamesOf(Language language);

// Installs the translators of the language into the application; they live as long as the
// returned objects.
std::vector<std::unique_ptr<QTranslator>> installLanguage(Language language);

// A message of the program (a VESK_MESSAGE text) in the installed language.
std::string translated(const char* message);

// A message of the program (a VESK_MESSAGE text) in a language, whatever is installed: for the
// commands, which install no translators.
std::string messageIn(Language language, const char* message);

// The translation of the program's messages into a language.
Translation translationTo(Language language);

// Says on err why a command failed, in the language: "vesk info: " before the failure's first
// line, two spaces before each of the others.
void printFailure(const char* command, const Failure& failure, Language language, std::FILE* err);

} // namespace vesk
