// SPDX-License-Identifier: MIT
// The About box on a screen scaled by 1.5: the picture has a pixel for every screen pixel,
// drawn from the @2x image, and keeps its place and size.
#include "guitest.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

using quorvel::test::GuiWorld;

class AboutScaledTest : public QObject {
    Q_OBJECT

private slots:
    void pictureComesFromTheDoubleSizeImage();
};

void AboutScaledTest::pictureComesFromTheDoubleSizeImage()
{
    QCOMPARE(qApp->devicePixelRatio(), 1.5);
    GuiWorld world;
    world.action("mnuAbout")->trigger();
    quorvel::gui::AboutBox* about = world.form->aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(QPixmap(":/images/about@2x.png").size(), QSize(450, 450));
    auto* picture = about->findChild<QLabel*>("Picture1");
    QCOMPARE(picture->pixmap().devicePixelRatio(), 1.5);
    QCOMPARE(picture->pixmap().size(), QSize(338, 338));
    QCOMPARE(picture->geometry(), QRect(8, 8, 229, 229));
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    AboutScaledTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aboutscaled.moc"
