// SPDX-License-Identifier: GPL-3.0-or-later
// The user's guide: HTML pages of each language with pictures the program drew at build time,
// installed beside the program (bin/../share/vesk/guide; in a build tree, guide/ beside the
// executable) and shown in a browser window of their own.
#pragma once

#include "translation.h"

#include <QTextBrowser>
#include <QUrl>

#include <optional>

namespace vesk {

// The address of a page of the guide ("index.html", "glossary.html#deltat") in a language
// (English for any but Japanese), or none when the guide is not found.
std::optional<QUrl> guidePage(Language language, const QString& page);

// A window of the guide that follows its links between pages.
class GuideWindow : public QTextBrowser {
    Q_OBJECT

  public:
    explicit GuideWindow(QWidget* parent = nullptr);
};

} // namespace vesk
