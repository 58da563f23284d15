// SPDX-License-Identifier: MIT
#include "guitest.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using quorvel::gui::AboutBox;
using quorvel::test::GuiWorld;

namespace {

const QString designText = QStringLiteral("Quorvel\n------------\n\nEmail me if you have any \nsuggestions, bugs, or \n"
                                          "comments.\n\nquorvel@example.org\nhotline://hotline.example.org\n");

int aboutBoxes()
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += window->objectName() == "frmAbout" ? 1 : 0;
    return count;
}

AboutBox* openAbout(GuiWorld& world)
{
    world.action("mnuAbout")->trigger();
    return world.form->aboutBox();
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void design();
    void secondAboutKeepsOneBox();
    void okayDestroysTheBoxAndTheNextOneHasTheDesignText_data();
    void okayDestroysTheBoxAndTheNextOneHasTheDesignText();
    void closingTheMainWindowClosesTheBox();
};

void AboutTest::design()
{
    GuiWorld world;
    AboutBox* about = openAbout(world);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->windowTitle(), QString("About"));
    QVERIFY(!about->parentWidget());
    QVERIFY(!about->isModal());
    QCOMPARE(about->size(), QSize(400, 243));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    auto* picture = about->findChild<QLabel*>("Picture1");
    QCOMPARE(picture->geometry(), QRect(8, 8, 229, 229));
    QCOMPARE(picture->pixmap().size(), QSize(225, 225));
    QCOMPARE(picture->frameShadow(), QFrame::Sunken);
    QCOMPARE(picture->lineWidth(), 2);
    auto* text = about->findChild<QPlainTextEdit*>("Text1");
    QCOMPARE(text->geometry(), QRect(240, 8, 153, 193));
    QCOMPARE(text->font().family(), QString("Courier New"));
    QCOMPARE(text->font().pointSizeF(), 8.25);
    QCOMPARE(text->toPlainText(), designText);
    auto* okay = about->findChild<QPushButton*>("cmdOkayy");
    QCOMPARE(okay->text(), QString("Okay"));
    QCOMPARE(okay->geometry(), QRect(240, 208, 153, 30));
    QVERIFY(okay->isDefault());
}

void AboutTest::secondAboutKeepsOneBox()
{
    GuiWorld world;
    AboutBox* first = openAbout(world);
    QCOMPARE(openAbout(world), first);
    QCOMPARE(aboutBoxes(), 1);
    QVERIFY(first->isVisible());
}

// Rows: every way to close the box; each must destroy it, so typed text does not survive.
void AboutTest::okayDestroysTheBoxAndTheNextOneHasTheDesignText_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Okay clicked") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Esc") << 2;
    QTest::newRow("title bar close") << 3;
}

void AboutTest::okayDestroysTheBoxAndTheNextOneHasTheDesignText()
{
    QFETCH(int, way);
    GuiWorld world;
    AboutBox* about = openAbout(world);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    about->findChild<QPlainTextEdit*>("Text1")->setPlainText("typed by the user");
    auto* okay = about->findChild<QPushButton*>("cmdOkayy");
    okay->setFocus();
    if (way == 0)
        QTest::mouseClick(okay, Qt::LeftButton);
    else if (way == 1)
        QTest::keyClick(okay, Qt::Key_Return);
    else if (way == 2)
        QTest::keyClick(okay, Qt::Key_Escape);
    else
        about->close();
    QTRY_COMPARE(aboutBoxes(), 0);
    QVERIFY(!world.form->aboutBox());
    AboutBox* fresh = openAbout(world);
    QCOMPARE(fresh->findChild<QPlainTextEdit*>("Text1")->toPlainText(), designText);
}

void AboutTest::closingTheMainWindowClosesTheBox()
{
    GuiWorld world;
    world.form->show();
    openAbout(world);
    world.form->close();
    QTRY_COMPARE(aboutBoxes(), 0);
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
