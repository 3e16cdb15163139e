#pragma once
// An icon of a picture file that is decoded when a size of it is first asked
// for: a program in the tray shows its icon without decoding it during start.

#include <QIcon>
#include <QString>

namespace tessel {

QIcon LazyFileIcon(const QString& file);

}  // namespace tessel
