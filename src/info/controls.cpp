// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/controls.h"

#include "common/picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

// The pictures with words in them, in every language (src/CMakeLists.txt);
// Q_INIT_RESOURCE names a function outside any namespace.
static bool registerWordedPictures()
{
    Q_INIT_RESOURCE(worded);
    return true;
}
#include <cmath>

namespace infoui {

DesignLabel::DesignLabel(const char *name, const twips::Rect &design, const QString &text, const QFont &font,
                         const QColor &colour, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QString::fromLatin1(name));
    // Plain text: rich text would fold the blank runs the layout depends on.
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
    setAutoFillBackground(false);
    setGeometry(twips::rect(design));
}

QStringList DesignLabel::breakLines(const QString &text, double width,
                                    const std::function<double(const QString &)> &advance)
{
    QStringList lines;
    QString source = text;
    source.remove(QLatin1Char('\r'));

    for (const QString &paragraph : source.split(QLatin1Char('\n'))) {
        QString line;            // what the current line shows, up to its last word
        QString blanks;          // blanks waiting between that word and the next
        bool hasContent = false; // a break here would leave something behind

        int i = 0;
        const int n = paragraph.size();
        while (i < n) {
            if (paragraph.at(i) == QLatin1Char(' ')) {
                const int start = i;
                while (i < n && paragraph.at(i) == QLatin1Char(' '))
                    ++i;
                blanks = paragraph.mid(start, i - start);
                hasContent = true;
                continue;
            }
            const int start = i;
            while (i < n && paragraph.at(i) != QLatin1Char(' '))
                ++i;
            QString word = paragraph.mid(start, i - start);

            if (hasContent && advance(line + blanks + word) > width) {
                lines.append(line);
                line.clear();
                blanks.clear();
            }
            line += blanks;
            blanks.clear();

            // Only a word that has a line to itself gets cut, and then at the
            // last character that still fits (at least one, or it never ends).
            while (advance(line + word) > width && line.trimmed().isEmpty() && word.size() > 1) {
                int fit = 1;
                while (fit < word.size() && advance(line + word.left(fit + 1)) <= width)
                    ++fit;
                lines.append(line + word.left(fit));
                line.clear();
                word = word.mid(fit);
            }
            line += word;
            hasContent = true;
        }
        // Blanks at the end of a paragraph show nothing; a paragraph of
        // blanks only is kept as such, which draws the same as empty.
        lines.append(line.isEmpty() ? blanks : line);
    }
    return lines;
}

QStringList DesignLabel::lines() const
{
    if (brokenWidth == width() && brokenText == text() && brokenFont == font()
        && brokenFont.resolveMask() == font().resolveMask())
        return brokenLines;
    const QFontMetricsF metrics(font());
    brokenLines =
        breakLines(text(), width(), [&metrics](const QString &s) { return metrics.horizontalAdvance(s); });
    brokenText = text();
    brokenFont = font();
    brokenWidth = width();
    return brokenLines;
}

void DesignLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font());
    double top = 0;
    for (const QString &line : lines()) {
        if (top >= height())
            break;
        painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += metrics.height();
    }
}

namespace {

// A readable label as a read-only text, the shape in which Orca reads lines
// by the caret and says all.
class AccessibleReadable : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleReadable(DesignLabel *label) : QAccessibleWidget(label, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = s.multiLine = true;
        return s;
    }

    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return int(all().size()); }
    int cursorPosition() const override { return label()->caretOffset(); }
    void setCursorPosition(int position) override { label()->setCaretOffset(position); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    DesignLabel *label() const { return static_cast<DesignLabel *>(widget()); }
    QString all() const { return label()->readLines().join(u'\n'); }
};

QAccessibleInterface *readableFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("infoui::DesignLabel") && object->property("readable").toBool())
        return new AccessibleReadable(static_cast<DesignLabel *>(object));
    return nullptr;
}

} // namespace

void DesignLabel::makeReadable(QPushButton *defaultButton)
{
    static const bool accessible = (QAccessible::installFactory(readableFactory), true);
    Q_UNUSED(accessible);
    setProperty("readable", true);
    // Qt made the plain label's interface as the text was set; it goes, so
    // that the next question gets the readable one.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(this)));
    pressedByEnter = defaultButton;
    setFocusPolicy(Qt::TabFocus);
}

QStringList DesignLabel::readLines() const
{
    QStringList read;
    for (const QString &line : lines()) {
        if (!line.trimmed().isEmpty())
            read << line.simplified();
    }
    return read;
}

int DesignLabel::caretOffset() const
{
    const QStringList read = readLines();
    int offset = 0;
    for (int k = 0; k < caretLine && k < read.size(); ++k)
        offset += int(read[k].size()) + 1;
    return offset;
}

void DesignLabel::setCaretOffset(int offset)
{
    const QStringList read = readLines();
    int line = 0;
    for (int start = 0; line + 1 < read.size() && start + read[line].size() < offset; ++line)
        start += int(read[line].size()) + 1;
    caretLine = line;
    QAccessibleTextCursorEvent moved(this, caretOffset());
    QAccessible::updateAccessibility(&moved);
}

void DesignLabel::keyPressEvent(QKeyEvent *event)
{
    if (pressedByEnter && pressDefaultAndCancel(event, pressedByEnter))
        return;
    const int last = int(readLines().size()) - 1;
    const int page = 10;
    int line = caretLine;
    switch (event->key()) {
    case Qt::Key_Up:
        line = caretLine - 1;
        break;
    case Qt::Key_Down:
        line = caretLine + 1;
        break;
    case Qt::Key_PageUp:
        line = caretLine - page;
        break;
    case Qt::Key_PageDown:
        line = caretLine + page;
        break;
    case Qt::Key_Home:
        line = 0;
        break;
    case Qt::Key_End:
        line = last;
        break;
    default:
        return QLabel::keyPressEvent(event);
    }
    caretLine = std::clamp(line, 0, std::max(0, last));
    QAccessibleTextCursorEvent moved(this, caretOffset());
    QAccessible::updateAccessibility(&moved);
}

LineControl::LineControl(const char *name, QPoint fromTwips, QPoint toTwips, const QColor &colour, int width,
                         QWidget *parent)
    : QWidget(parent), penColour(colour), penWidth(std::max(1, width))
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QPointF from(twips::pxF(fromTwips.x()), twips::pxF(fromTwips.y()));
    const QPointF to(twips::pxF(toTwips.x()), twips::pxF(toTwips.y()));
    // The widget is the line's bounding box, widened by the pen on all sides.
    const QRectF box = QRectF(from, to).normalized().adjusted(-penWidth, -penWidth, penWidth, penWidth);
    const QRect area = box.toAlignedRect();
    setGeometry(area);
    line = QLineF(from - area.topLeft(), to - area.topLeft());
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Crisp pixel rows, as classic line controls draw them; a smoothed line of one
    // pixel would smear over two rows.
    QPen pen(penColour, penWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPointF p1(std::round(line.p1().x()), std::round(line.p1().y()));
    const QPointF p2(std::round(line.p2().x()), std::round(line.p2().y()));
    painter.drawLine(p1, p2);
}

QLabel *pictureBox(const char *name, const twips::Rect &design, const QString &resource, QWidget *parent)
{
    static const bool registered = registerWordedPictures();
    Q_UNUSED(registered);
    auto *box = new QLabel(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twips::rect(design));
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setScaledContents(false);
    fillBackground(box, Qt::black);
    // A null image gives a null pixmap, which QLabel shows as nothing.
    box->setPixmap(picture::embedded(resource));
    return box;
}

QPushButton *commandButton(const char *name, const twips::Rect &design, const QString &caption,
                           QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(twips::rect(design));
    // Buttons keep the application's button colours whatever the window's
    // background is.
    button->setPalette(QApplication::palette(button));
    // Enter presses the button that has the focus, as Space does.
    button->setAutoDefault(true);
    return button;
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(free.center());
    window->move(frame.topLeft());
}

bool pressDefaultAndCancel(QKeyEvent *event, QPushButton *ok)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        ok->click();
        return true;
    default:
        return false;
    }
}

} // namespace infoui
