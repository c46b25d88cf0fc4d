// Benchmark, not a test: how long one "&Zeigen" takes, including the repaint
// of the board it changes. Run it by hand:
//   QT_QPA_PLATFORM=offscreen FARBRIX_RING_DIR=<build>/artwork tests/bench_evaluation -median 25
// The target is one frame (16 ms).

#include "testsupport.h"

#include "game/global.h"

#include <QPushButton>
#include <QTest>

using namespace testsupport;

class BenchEvaluation : public QObject
{
    Q_OBJECT
private slots:
    void evaluateAndRepaint()
    {
        PlayDir play;
        Messages messages;
        Brain *brain = openBoard();
        Global::codeNumber = 1;
        brain->Command2_Click();
        place({4, 3, 2, 1}, 0);
        QImage canvas(brain->size() * 2, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(2);
        QBENCHMARK {
            brain->Command1_Click();
            brain->Command1->setEnabled(true);
            brain->render(&canvas); // the whole window, at twice the size: more than a real repaint
        }
        unloadAll();
    }
};

QTEST_MAIN(BenchEvaluation)
#include "bench_evaluation.moc"
