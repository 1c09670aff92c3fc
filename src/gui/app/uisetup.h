#pragma once

class QApplication;

// What every run of the program sets up before its first window: C number
// formatting (a decimal comma must never change a number), Qt's Chinese
// translations for its own dialogs, and the Chinese faces the program asks
// for by name mapped to what is installed.
void SetUpUserInterface(QApplication& app);
