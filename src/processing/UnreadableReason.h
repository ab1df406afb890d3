// SPDX-License-Identifier: GPL-3.0-or-later
// What the unprocessed-files list and brelin-batch tell the user about a JPEG that cannot
// be read: the kind of problem in plain words, not libjpeg's message (which goes to the log).
#pragma once

#include "platform/JpegError.h"

#include <QString>

namespace brelin {

QString unreadableReason(const JpegError& error);

// The same for a file that a marker tool gave up on: libjpeg reads its header to say why
// (the tools' messages go to the log, not to us).
QString unreadableFileReason(const QString& path);

} // namespace brelin
