#pragma once

// Shared by the widget tests: a scratch play directory holding the ring
// pictures, a recorder for the program's messages, and the game state reset
// to what a fresh program starts with.

#include "game/brain.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace testsupport {

// Makes a fresh directory the working directory, with the six ring pictures
// (and their high-DPI copies) copied in (unless `withPictures` is false), and restores the old one when
// it goes.
class PlayDir
{
public:
    explicit PlayDir(bool withPictures = true);
    ~PlayDir();
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};

// Records every message instead of showing a box. `onMessage` runs while the
// message would be on screen, so a test can look at the windows then.
class Messages
{
public:
    Messages();
    ~Messages();
    QStringList texts;
    std::function<void(const QString &)> onMessage;
};

// Every game state variable back to its start value.
void resetGlobal();

// Unloads every window and destroys them.
void unloadAll();

// Lets deferred deletions and window-system events run.
void settle();

// Loads the board as "&Start" would and returns it.
Brain *openBoard();

// The board the game is currently played on.
Brain *currentBoard();

// Places colours into the given row by real clicks on palette and rings
// (0 in `colours` leaves that column alone).
void place(const std::array<int, 4> &colours, int row);

// Picks a colour and clicks one ring.
void placeOne(int colour, int column, int row);

// Types text key by key, any characters (QTest's key clicks take ASCII only).
void typeText(QWidget *widget, const QString &text);

// A real left click in the middle of a widget.
void click(QWidget *widget);

// Red lamps of a row: left (Shape1..4) and right (Shape5..8) as "1100" etc.
QString lampPattern(int row, bool left);

// The colours of a code number's entry, for guessing it right.
std::array<int, 4> secretOf(int codeNumber);

// The colour of the ball a ring picture shows: read above and to the right of
// the engraved sign in its middle, clear of the highlight.
QColor ballColour(const QImage &ringPicture);

// Base of the widget test classes: every test function starts from a fresh
// program state in its own play directory, with messages recorded, and must
// leave no window open behind it.
class GameTest : public QObject
{
    Q_OBJECT
protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<PlayDir> play;
    std::unique_ptr<Messages> messages;
};

} // namespace testsupport
