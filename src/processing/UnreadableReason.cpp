// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/UnreadableReason.h"
#include "platform/ByteSpan.h"

#include "platform/JpegCodec.h"

#include <QCoreApplication>
#include <QFile>

namespace brelin {

QString unreadableReason(const JpegError& error)
{
    switch (error.problem) {
    case JpegProblem::NotJpeg:
        return QCoreApplication::translate("UnreadableReason", "The file is not a JPEG image.");
    case JpegProblem::Truncated:
        return QCoreApplication::translate("UnreadableReason", "The file is incomplete.");
    case JpegProblem::Damaged:
        return QCoreApplication::translate("UnreadableReason", "The image data are damaged.");
    case JpegProblem::Precision:
        return QCoreApplication::translate("UnreadableReason",
                                           "%1-bit JPEG files are not supported.")
            .arg(error.precision);
    case JpegProblem::Unsupported:
        return QCoreApplication::translate(
            "UnreadableReason",
            "This kind of JPEG file (lossless or hierarchical) is not supported.");
    case JpegProblem::TooLarge:
        return QCoreApplication::translate(
            "UnreadableReason", "The image is too large: it has more than 268 million pixels.");
    case JpegProblem::None:
    case JpegProblem::Other:
    case JpegProblem::OverSize: // an encoder's, never a reader's
        break;
    }
    return QCoreApplication::translate("UnreadableReason",
                                       "The file is not a readable JPEG image.");
}

QString unreadableFileReason(const QString& path)
{
    QFile file(path);
    JpegError error;
    if (!file.open(QIODevice::ReadOnly)) {
        error.problem = JpegProblem::Other;
    } else {
        const QByteArray bytes = file.readAll();
        readJpegInfo(bytesOf(bytes), error);
    }
    return unreadableReason(error);
}

} // namespace brelin
