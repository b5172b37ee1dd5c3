#pragma once

#include <QApplication>

class QSessionManager;

// The application object. The end of the desktop session runs the ordinary
// shutdown, including the final save of every note.
class MyApplication : public QApplication
{
    Q_OBJECT
public:
    MyApplication(int &argc, char **argv);

private:
    void commitData(QSessionManager &manager);
};
