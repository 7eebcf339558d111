// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for bench/run.sh: the smallest Qt Widgets program that puts
// a window of the game's size on screen, with a few labels. It quits right
// after its first paint, unless started with --stay (to measure it idle).
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class Window final : public QWidget
{
public:
    explicit Window(bool stay) : m_stay(stay) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (!m_stay && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    }

private:
    bool m_stay;
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool stay = QCoreApplication::arguments().contains(QStringLiteral("--stay"));

    Window window(stay);
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(952, 667);
    auto *layout = new QVBoxLayout(&window);
    for (const char *text : {"Calcola i", "2 / 3", "di 9", "Risposte esatte", "Risposte errate"})
        layout->addWidget(new QLabel(QString::fromLatin1(text), &window));
    window.show();
    return QApplication::exec();
}
