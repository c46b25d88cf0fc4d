#include "common/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace messages {

namespace {
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
    // title down to "Fa…x".
    box.setStyleSheet(QStringLiteral("QLabel { min-width: 200px; }"));
    box.exec();
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installed());
    installed() = std::move(handler);
    return previous;
}

} // namespace messages
