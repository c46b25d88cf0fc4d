// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/messages.h"

#include "common/form.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>

namespace messages {

namespace {
constexpr int minimumWidth = 200;

// A label wraps only where a line may break, and a long path or word has
// none: it would run past the box and the screen's edge. A zero-width space
// after every slash, and within a run of characters every 20th, lets the
// line break there.
QString breakable(const QString &text)
{
    QString out;
    int run = 0;
    for (const QChar c : text) {
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run >= 20 || ((c == u'/' || c == u'\\') && run > 1)) {
            out += QChar(0x200B);
            run = 0;
        }
    }
    return out;
}

Handler &installed()
{
    static Handler handler;
    return handler;
}
} // namespace

void show(const QString &text)
{
    if (const Handler &handler = installed()) {
        handler(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(title), breakable(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("message"));
    forms::noMinimiseOrMaximise(&box);
    // Styles that put icons on dialog buttons would give OK a check mark.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setAccessibleName(text); // read out without the breaks
    // Short texts would make the box so narrow that window managers cut the
    // title down to "Fa…x". A minimum width on the label would also stop the
    // box from wrapping long texts, so an empty row of the box's own grid
    // holds it open instead.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(minimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installed());
    installed() = std::move(handler);
    return previous;
}

} // namespace messages
