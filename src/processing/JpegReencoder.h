// The re-encode step: a JPEG decoded, scaled by the factor the settings give and
// encoded anew into the run's temporary folder.
#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace brelin {

class JpegReencoder
{
public:
    JpegReencoder(const QVariantMap& prefs, const QString& tmp);

    // The new JPEG in the temporary folder, or none (logged, with the reason for the
    // list of unprocessed files).
    std::optional<QString> makeAndScaleJPEG(const QString& source, float quality,
                                            QString* reason = nullptr);

    // The factor for ScalingType 2, for an image of these pixel sides as displayed. An
    // image already within the bound of ScalingFixedType 4 or 5 keeps its size.
    float getAbsoluteFactorForImageRep(int pixelsWide, int pixelsHigh) const;

    // round(length × factor) / length: the factor that makes `length` whole pixels.
    static double getFactorForLength(double length, double factor);

private:
    QVariantMap prefs_;
    QString tmp_;
};

} // namespace brelin
