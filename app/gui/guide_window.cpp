// SPDX-License-Identifier: GPL-3.0-or-later
#include "guide_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <algorithm>

namespace vesk {

namespace {

constexpr int guideWidth = 760, guideHeight = 800;

} // namespace

std::optional<QUrl> guidePage(Language language, const QString& page) {
    const QString program = QCoreApplication::applicationDirPath();
    const QString folder =
        language == Language::japanese ? QStringLiteral("ja") : QStringLiteral("en");
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString fragment = page.section(QLatin1Char('#'), 1);
    for (const QString& guide :
         {program + QStringLiteral("/guide"), program + QStringLiteral("/../share/vesk/guide")}) {
        const QFileInfo found(guide + QLatin1Char('/') + folder + QLatin1Char('/') + file);
        if (!found.isFile())
            continue;
        QUrl url = QUrl::fromLocalFile(QDir::cleanPath(found.absoluteFilePath()));
        if (!fragment.isEmpty())
            url.setFragment(fragment);
        return url;
    }
    return std::nullopt;
}

GuideWindow::GuideWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setOpenExternalLinks(true);
    // within the screen, whatever its scale
    const QSize room =
        (screen() != nullptr ? screen()->availableSize() : QSize(guideWidth, guideHeight)) * 9 / 10;
    resize(std::min(guideWidth, room.width()), std::min(guideHeight, room.height()));
    connect(this, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(documentTitle()); });
}

} // namespace vesk
