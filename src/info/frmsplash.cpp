// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

#include "info/frmsplash.h"

#include "common/fonts.h"
#include "common/form.h"
#include "common/screenreader.h"
#include "game/brain.h"
#include "info/frmsoftware.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

using fonts::Family;

// Windows' "window frame" colour has no counterpart in Qt's palette; it is
// black in every Windows scheme the game was made for.
const QColor windowFrameColour = Qt::black;

QColor systemColour(QPalette::ColorRole role) { return QApplication::palette().color(role); }

// The start window's surface as assistive technology sees it: without the
// labels the frame covers entirely, which no sighted player ever sees.
// (Qt has no public interface for a label to override its state with, so
// they are left out here rather than marked invisible.)
class AccessibleClient : public QAccessibleWidget
{
public:
    explicit AccessibleClient(QWidget *client) : QAccessibleWidget(client, QAccessible::Client) {}

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(shown().value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(shown().indexOf(child->object()));
    }

private:
    QObjectList shown() const
    {
        QObjectList widgets;
        for (QObject *child : widget()->children()) {
            if (child->isWidgetType() && !screenreader::isCoveredBySiblings(static_cast<QWidget *>(child)))
                widgets << child;
        }
        return widgets;
    }
};

// The frame only groups the controls in it. Qt would tell assistive
// technology a QFrame is a window frame, and Orca would then take the frame
// for an inactive window of its own: it would not follow the focus to the
// button in it, and where-am-I would name the button the focus left.
class GroupFrame : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;
};

QAccessibleInterface *clientFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("GroupFrame") && object)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    if (className == QLatin1String("QWidget") && object && object->objectName() == QLatin1String("client")
        && qobject_cast<FrmSplash *>(object->parent()))
        return new AccessibleClient(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

FrmSplash::FrmSplash()
{
    setObjectName(QStringLiteral("frmSplash"));
    screenreader::readAsDialog(this);
    setWindowTitle(QString());
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // Qt takes quit-on-close away from tool windows; closing the start window
    // while it is the only one must still end the program.
    setAttribute(Qt::WA_QuitOnClose, true);

    const QSize clientSize = twips::size(6795, 4800);
    setFixedSize(clientSize + QSize(2 * borderWidth, 2 * borderWidth));

    static const bool accessible = (QAccessible::installFactory(clientFactory), true);
    Q_UNUSED(accessible);
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setGeometry(QRect(QPoint(borderWidth, borderWidth), clientSize));
    infoui::fillBackground(client, systemColour(QPalette::ButtonText));

    const QFont small = fonts::make(Family::Arial, 8.25);
    const QColor highlightText = systemColour(QPalette::HighlightedText);

    // Two lines the frame covers completely; they show only if the frame is
    // taken away. Both copyright lines give the makers' short name, as "Die
    // Farbrix-Entwickler" does not fit their width.
    Label3 = new infoui::DesignLabel("Label3", {720, 2520, 5535, 315},
                                     tr("Den Quelltext holen Sie sich unter Debian mit: apt source farbrix"),
                                     small, Qt::white, client);
    Label2 = new infoui::DesignLabel("Label2", {840, 2880, 2175, 255}, tr("© 2026 Farbrix-Team"), small,
                                     highlightText, client);

    Frame1 = new GroupFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::rect({120, 120, 6600, 4650}));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched, as a frame without caption
    {
        QPalette pal = Frame1->palette();
        pal.setColor(QPalette::Window, windowFrameColour);
        pal.setColor(QPalette::WindowText, systemColour(QPalette::WindowText));
        pal.setColor(QPalette::Light, systemColour(QPalette::Light));
        pal.setColor(QPalette::Dark, systemColour(QPalette::Dark));
        Frame1->setPalette(pal);
        Frame1->setAutoFillBackground(true);
    }

    Line1 = new infoui::LineControl("Line1", {360, 3720}, {6360, 3720}, Qt::white, 1, Frame1);
    Label1 = new infoui::DesignLabel("Label1", {360, 3840, 4455, 495},
                                     tr("Neugierig, wie Farbrix denkt? Sein Quelltext gehört auch Ihnen!"),
                                     fonts::make(Family::Arial, 9.75, fonts::Bold), infoui::bgr(0x00FFC0C0),
                                     Frame1);
    lblCopyright = new infoui::DesignLabel("lblCopyright", {4080, 300, 2175, 255}, tr("© 2026 Farbrix-Team"),
                                           small, highlightText, Frame1);
    lblCompany =
        new infoui::DesignLabel("lblCompany", {2400, 480, 3855, 255},
                                tr("programmiert von den Farbrix-Entwicklern"), small, highlightText, Frame1);
    lblWarning =
        new infoui::DesignLabel("lblWarning", {600, 2160, 5535, 675},
                                // The MIT licence in plain words: what it allows, and its one condition.
                                tr("Farbrix ist freie Software unter der MIT-Lizenz: Sie dürfen es spielen, "
                                   "verändern, weitergeben und auch verkaufen, solange der Lizenztext dabei "
                                   "bleibt. Quelltext unter Debian: apt source farbrix"),
                                small, highlightText, Frame1);

    // Picture2 lies over Picture1 in the design; the load steps turn that
    // round, so the small title covers the top of the large one.
    Picture1 = infoui::pictureBox("Picture1", {1200, 720, 3735, 975},
                                  QStringLiteral(":/artwork/titel250.bmp"), Frame1);
    Picture2 = infoui::pictureBox("Picture2", {1200, 1200, 4815, 975},
                                  QStringLiteral(":/artwork/titel350.bmp"), Frame1);
    // What the titles show: the small one the game's name over a row of
    // balls, the large one (of which little shows) the subtitle.
    Picture1->setAccessibleName(QStringLiteral("Farbrix"));
    Picture2->setAccessibleName(tr("Das Farbcode-Knobelspiel"));

    Command1 = infoui::commandButton("Command1", {4920, 3840, 1455, 495},
                                     //: Its access key must differ from that of "&Start", on the same window
                                     tr("&Quelltext ?"), Frame1);
    connect(Command1, &QPushButton::clicked, this, &FrmSplash::Command1_Click);

    Command2 = infoui::commandButton("Command2", {2760, 3120, 1455, 495}, tr("&Start"), client);
    connect(Command2, &QPushButton::clicked, this, &FrmSplash::Command2_Click);
    Command2->raise();

    setTabOrder(Command2, Command1);
    Command2->setFocus();
}

void FrmSplash::formLoad()
{
    Picture1->raise();
    infoui::centreOnScreen(this);
}

void FrmSplash::Command1_Click() { showModeless<FrmSoftware>(); }

void FrmSplash::Command2_Click()
{
    Form<FrmSplash>::unload();
    Form<Brain>::instance()->show();
}

void FrmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette pal = QApplication::palette();
    painter.fillRect(rect(), pal.color(QPalette::Button));
    qDrawWinPanel(&painter, rect(), pal, false);
}

#include "frmsplash.moc"
