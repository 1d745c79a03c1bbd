// SPDX-License-Identifier: GPL-3.0-or-later
#include "translation.h"

#include "messages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace vesk {

Language languageOfLocale(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return Language::japanese;
    const QString& first = uiLanguages.front();
    return first.startsWith(QStringLiteral("ja")) || first == QStringLiteral("C")
               ? Language::japanese
               : Language::english;
}

Language chooseLanguage(const QString& requested) {
    if (requested == QStringLiteral("en"))
        return Language::english;
    if (requested == QStringLiteral("ja"))
        return Language::japanese;
    return languageOfLocale(QLocale::system().uiLanguages());
}

TypeNames typeNamesOf(Language language) {
    return language == Language::english ? TypeNames::english : TypeNames::japanese;
}

std::vector<std::unique_ptr<QTranslator>> installLanguage(Language language) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    auto load = [&](const QString& name, const QString& folder, const QLocale& locale) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    };
    if (language == Language::japanese) {
        load(QStringLiteral("vesk"), QStringLiteral(":/i18n"), QLocale(QLocale::Japanese));
        load(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath),
             QLocale(QLocale::Japanese));
    }
    return installed;
}

std::string translated(const char* message) {
    return QCoreApplication::translate("vesk", message).toStdString();
}

std::string messageIn(Language language, const char* message) {
    if (language == Language::english)
        return message;
    static const std::unique_ptr<QTranslator> japanese = [] {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("vesk"),
                              QStringLiteral("_"), QStringLiteral(":/i18n")))
            translator.reset();
        return translator;
    }();
    const QString text = japanese ? japanese->translate("vesk", message) : QString();
    return text.isEmpty() ? std::string(message) : text.toStdString();
}

Translation translationTo(Language language) {
    return [language](const char* message) { return messageIn(language, message); };
}

void printFailure(const char* command, const Failure& failure, Language language, std::FILE* err) {
    const std::vector<std::string> lines = failureLines(failure, translationTo(language));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0)
            std::fprintf(err, "%s: %s\n", command, lines[i].c_str());
        else
            std::fprintf(err, "  %s\n", lines[i].c_str());
    }
}

} // namespace vesk
