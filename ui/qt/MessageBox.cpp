#include "platform/AppInfo.h"
#include "ui/qt/MessageBoxDialog.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QVBoxLayout>
#include <algorithm>

namespace vq3 {

namespace {

// The window manager draws the caption in its own title font, beside an icon and two or three
// buttons: a box narrower than that would have its caption cut short.
int WidthForCaption(const QString& caption) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(caption) + 8 * metrics.height();
}

// Lines about as long as a Windows message box's, never narrower than the longest word (a path
// has no space to break at), unless the screen is narrower still.
int TextWidth(const QString& text, const QFontMetrics& metrics, const QScreen* screen) {
    int longestWord = 0;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        longestWord = std::max(longestWord, metrics.horizontalAdvance(word));
    }
    const int wanted = std::max(
        longestWord, std::min(metrics.horizontalAdvance(text), 60 * metrics.averageCharWidth()));
    return screen != nullptr ? std::min(wanted, screen->availableGeometry().width() * 9 / 10)
                             : wanted;
}

// A word wider than the text (a long file name) gets places to break, between two letters and
// invisible: a label wraps only there, and would cut such a word short at its edge.
QString BreakableWords(const QString& text, const QFontMetrics& metrics, int width) {
    QString broken;
    QString run; // the word so far, since its last place to break
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = letters.toNextBoundary(); end != -1;
         start = end, end = letters.toNextBoundary()) {
        const QString letter = text.mid(start, end - start);
        broken += letter;
        if (letter == " " || letter == "\n") {
            run.clear();
            continue;
        }
        if (!run.isEmpty() && metrics.horizontalAdvance(run + letter) > width) {
            broken.insert(broken.size() - letter.size(), QChar(0x200B));
            run.clear();
        }
        run += letter;
    }
    return broken;
}

} // namespace

// A dialog of our own rather than QMessageBox, which keeps an empty icon column in some styles
// and puts icons on its buttons in others.
std::unique_ptr<QDialog> NewMessageBox(const std::string& text, MessageOwner owner) {
    auto box = std::make_unique<QDialog>(owner, Qt::Dialog | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint);
    box->setWindowTitle(AppInfo::AppTitle);

    auto* label = new QLabel(box.get());
    // File names may hold "<" or "&": never let them read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromStdString(text));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* ok = new QPushButton("OK", box.get());
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, box.get(), &QDialog::accept);

    auto* layout = new QVBoxLayout(box.get());
    layout->addWidget(label);
    layout->addSpacing(layout->spacing());
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    const QMargins margins = layout->contentsMargins();
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    const int textWidth = TextWidth(label->text(), label->fontMetrics(), screen);
    const int width =
        std::max(textWidth + margins.left() + margins.right(), WidthForCaption(box->windowTitle()));
    // A screen reader reads the text as it is.
    label->setAccessibleName(label->text());
    label->setText(BreakableWords(label->text(), label->fontMetrics(), textWidth));
    box->setFixedSize(width, layout->totalHeightForWidth(width));
    return box;
}

void ShowMessage(const std::string& text, MessageOwner owner) {
    // Enter presses OK and Escape closes, as in any dialog; either way the box is dismissed.
    NewMessageBox(text, owner)->exec();
}

} // namespace vq3
