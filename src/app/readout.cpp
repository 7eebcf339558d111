#include "readout.h"

#include <QFile>

Readout::Readout() : m_path(qEnvironmentVariable("QUOTELLO_READOUT")) {}

void Readout::write(const QString &line) const
{
    if (!isOn())
        return;
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        file.write((line + u'\n').toUtf8());
}
