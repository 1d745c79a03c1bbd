// SPDX-License-Identifier: GPL-3.0-or-later
// The user's guide as built: every page of each language loads in the guide's browser with its
// pictures and its links, and each screen's page names every line head that the screen prints
// with --text for the guide's own picture of it.
#include "guide_window.h"
#include "main_window.h"
#include "test_support.h"
#include "window_language.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

const QString guideDir = QStringLiteral(VESK_GUIDE_DIR);

// The heads of the lines of a screen's --text: the words before the first ':' or number, where
// they hold two letters or more ("Date", "First Penumbra Contact", the column heads).
std::vector<std::string> lineHeads(const std::string& text) {
    std::vector<std::string> heads;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string head;
        for (std::string word; words >> word;) {
            if (word == ":" || word.find_first_of("0123456789") != std::string::npos)
                break;
            const bool last = word.back() == ':';
            if (last)
                word.pop_back();
            head += (head.empty() ? "" : " ") + word;
            if (last)
                break;
        }
        const auto letters = std::count_if(head.begin(), head.end(),
                                           [](unsigned char c) { return std::isalpha(c) != 0; });
        if (letters >= 2 && std::find(heads.begin(), heads.end(), head) == heads.end())
            heads.push_back(head);
    }
    return heads;
}

// The page's text with its runs of white space made single spaces.
QString pageText(const QTextBrowser& page) {
    return page.toPlainText().simplified();
}

// The images of a page's document that do not load.
QStringList missingImages(QTextBrowser& page) {
    QStringList missing;
    int images = 0;
    for (QTextBlock block = page.document()->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            ++images;
            const QString name = format.toImageFormat().name();
            const QVariant image = page.loadResource(QTextDocument::ImageResource, QUrl(name));
            if (image.value<QImage>().isNull() && image.value<QPixmap>().isNull() &&
                image.toByteArray().isEmpty())
                missing << name;
        }
    return missing;
}

} // namespace

TEST(Guide, EveryPageLoadsWithItsPicturesAndLinks) {
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("ja")}) {
        QDirIterator pages(guideDir + QLatin1Char('/') + language, {QStringLiteral("*.html")});
        int count = 0;
        while (pages.hasNext()) {
            const QString file = pages.next();
            ++count;
            QTextBrowser page;
            page.setSource(QUrl::fromLocalFile(file));
            EXPECT_FALSE(page.documentTitle().isEmpty()) << file.toStdString();
            const QStringList missing = missingImages(page);
            EXPECT_TRUE(missing.isEmpty())
                << file.toStdString() << ": " << missing.join(", ").toStdString();
            // every link to another page of the guide leads to one
            const QString html = page.toHtml();
            const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.html)"));
            for (auto m = link.globalMatch(html); m.hasNext();) {
                const QString target = m.next().captured(1);
                EXPECT_TRUE(QFileInfo(QFileInfo(file).dir(), target).isFile())
                    << file.toStdString() << " links to " << target.toStdString();
            }
        }
        EXPECT_GE(count, 7) << language.toStdString();
    }
    // the Help menu's pages are found beside the program in its language
    ASSERT_TRUE(guidePage(Language::japanese, QStringLiteral("glossary.html#deltat")));
}

TEST(Guide, EachScreensPageNamesItsLineHeads) {
    std::ifstream list(std::string(VESK_SOURCE_DIR) + "/guide/pictures.txt");
    ScratchDir dir;
    int screens = 0;
    for (std::string line; std::getline(list, line);) {
        std::istringstream words(line);
        std::string name;
        if (!(words >> name) || name.front() == '#' || name == "band")
            continue; // the band's regional map prints place names: the history page shows it
        std::vector<std::string> args = {"render"};
        for (std::string word; words >> word;)
            args.push_back(word);
        args.insert(args.end(), {"--text", "--out", (dir.path() / (name + ".png")).string()});
        const CommandResult r =
            runProgram(VESK_EXECUTABLE, args, dir.path(), {"XDG_DATA_HOME=" + dir.path().string()});
        ASSERT_EQ(r.status, 0) << line << "\n" << r.err;
        const std::vector<std::string> heads = lineHeads(r.out);
        EXPECT_GE(heads.size(), 3u) << line;
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("ja")}) {
            QTextBrowser page;
            page.setSource(QUrl::fromLocalFile(guideDir + QLatin1Char('/') + language +
                                               QLatin1Char('/') + QString::fromStdString(name) +
                                               QStringLiteral(".html")));
            const QString text = pageText(page);
            for (const std::string& head : heads)
                EXPECT_TRUE(text.contains(QString::fromStdString(head).simplified()))
                    << language.toStdString() << "/" << name << ".html does not name \"" << head
                    << "\"";
        }
        ++screens;
    }
    EXPECT_EQ(screens, 5) << "the map, the table, the local circumstances, the sky and the view";
}

// Help > User Guide (F1) opens the guide in the window's language, one guide window per main
// window; the glossary opens at its entry.
TEST(Guide, HelpOpensTheGuideInTheWindowsLanguage) {
    for (const bool japanese : {true, false}) {
        useJapanese(japanese);
        AppState state(DataPaths{{sourceDataDir()}});
        state.language = japanese ? Language::japanese : Language::english;
        MainWindow window(state);
        const QAction* help = nullptr;
        for (const QAction* a : window.findChildren<QAction*>())
            if (a->shortcut() == QKeySequence(QKeySequence::HelpContents))
                help = a;
        ASSERT_NE(help, nullptr) << "F1";
        const_cast<QAction*>(help)->trigger();
        GuideWindow* guide = window.findChild<GuideWindow*>();
        ASSERT_NE(guide, nullptr);
        EXPECT_EQ(guide->documentTitle(), japanese ? QStringLiteral("vesk 利用の手引き")
                                                   : QStringLiteral("vesk user guide"));
        EXPECT_EQ(window.showGuide(QStringLiteral("glossary.html#deltat")), guide);
        EXPECT_EQ(guide->source().fragment(), QStringLiteral("deltat"));
        EXPECT_EQ(window.findChildren<GuideWindow*>().size(), 1);
    }
    useJapanese(true);
}
