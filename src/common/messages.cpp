// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "common/messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace messages {

namespace {
constexpr int minimumWidth = 200;

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
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("message"));
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
