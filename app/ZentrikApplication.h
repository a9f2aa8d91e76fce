#pragma once

#include <QApplication>

namespace zv {

// The application object. An error that no handler catches is shown in the error box and
// the event loop goes on with the next event; what the handler changed before stays changed.
class ZentrikApplication final : public QApplication {
    Q_OBJECT

public:
    ZentrikApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The organisation's and the program's names, of which the user's folders are made
// ("Zentrik/Zentrik Vesmar"): the windows and the command line find the same files.
void setProgramNames();

} // namespace zv
