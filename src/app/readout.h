#pragma once

#include <QString>

// A plain-text trace of what the window shows, for the tests that drive the
// real program through the X server: when QUOTELLO_READOUT names a file, each
// exercise posed and each answer checked appends one line to it. Without the
// variable nothing is written and nothing changes.
class Readout
{
public:
    Readout();

    bool isOn() const { return !m_path.isEmpty(); }
    void write(const QString &line) const;

private:
    QString m_path;
};
