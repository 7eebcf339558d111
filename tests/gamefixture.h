#pragma once

#include "app/application.h"
#include "app/gamehost.h"
#include "app/tavola.h"
#include "fakedialogs.h"

#include <QtTest>
#include <QLabel>
#include <QTimer>

#include <memory>

// A game started the way the program starts one, its boxes answered by a
// script, its record files in a scratch folder. The window is read through
// its controls' names, as a player reads the screen.
class GameFixture
{
public:
    FakeDialogs dialogs;
    QTemporaryDir data;
    std::unique_ptr<GameHost> host;

    GameFixture() { qputenv("XDG_DATA_HOME", data.path().toLocal8Bit()); }
    ~GameFixture()
    {
        host.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Tavola *start()
    {
        host = std::make_unique<GameHost>(dialogs);
        host->start();
        return host->window();
    }
    Tavola *window() const { return host->window(); }

    template <typename T = QWidget>
    T *control(const QString &name) const { return window()->findChild<T *>(name); }
    QString caption(const QString &name) const { return control<QLabel>(name)->text(); }

    // Ticks of the one-second clock, as the event loop delivers them.
    void tick(int times = 1) const
    {
        auto *timer = window()->findChild<QTimer *>(QStringLiteral("Timer1"));
        for (int i = 0; i < times && timer->isActive(); ++i) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }

    QString recordPath(const char *name) const { return data.filePath(QStringLiteral("Quotello/") + QLatin1String(name)); }
    void writeRecord(const char *name, const QByteArray &bytes) const
    {
        QDir().mkpath(data.filePath(QStringLiteral("Quotello")));
        QFile file(recordPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray recordBytes(const char *name) const
    {
        QFile file(recordPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};
