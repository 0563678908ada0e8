#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace zef::ui {

// Turns SIGTERM, SIGHUP and SIGINT into the `received` signal, delivered by the event loop: the
// handler only writes the signal's number to one end of a socket pair, whose other end a
// socket notifier watches. One object per program.
class UnixSignals : public QObject {
    Q_OBJECT

  public:
    explicit UnixSignals(QObject* parent = nullptr);
    UnixSignals(const UnixSignals&) = delete;
    UnixSignals& operator=(const UnixSignals&) = delete;
    // Gives the three signals back their default actions.
    ~UnixSignals() override;

  signals:
    void received(int signal);

  private:
    void Read();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zef::ui
