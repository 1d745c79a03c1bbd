#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace vesk {

Language chooseLanguage(const QString& requested) {
    if (requested == QStringLiteral("en"))
        return Language::english;
    if (requested == QStringLiteral("ja"))
        return Language::japanese;
    const QStringList wanted = QLocale::system().uiLanguages();
    return !wanted.isEmpty() && wanted.front().startsWith(QStringLiteral("en"))
               ? Language::english
               : Language::japanese;
}

std::vector<std::unique_ptr<QTranslator>> installLanguage(Language language) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    auto load = [&](const QString& name, const QString& folder, const QLocale& locale) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    };
    if (language == Language::english)
        load(QStringLiteral("vesk"), QStringLiteral(":/i18n"), QLocale(QLocale::English));
    else
        load(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath),
             QLocale(QLocale::Japanese));
    return installed;
}

std::string translated(const char* message) {
    return QCoreApplication::translate("vesk", message).toStdString();
}

} // namespace vesk
