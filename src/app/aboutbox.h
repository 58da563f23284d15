// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quorvel::gui {

// frmAbout: a fixed-size, modeless box without owner. It is destroyed when closed in any way
// ("Okay", Enter, Esc, the title bar), so the next one starts from its design.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox();

    // The design text of Text1: nine lines, each ended by CR LF.
    static const char* designText();

private:
    void createPicture();
    void createText();
    void createOkay();

    QLabel* picture_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* okay_ = nullptr;
};

} // namespace quorvel::gui
