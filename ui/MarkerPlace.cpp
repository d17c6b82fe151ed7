#include "MarkerPlace.h"

#include "PictureLayout.h"
#include "ShipModel.h"

#include <QCoreApplication>

namespace pelto5 {

namespace {

// place with %1 the picture's name and %2, %3 the file point; offPicture when
// the hardpoint stays off its picture.
QString Place(const ShipModel& model, int i, const QString& place, const QString& offPicture) {
    const Rect file = model.RelativeMarkerRect(i, kRelativeToPicture);
    if (file.top >= kOnPictureLimit)
        return offPicture;
    return place.arg(QLatin1String(PictureOf(i).name)).arg(file.left).arg(file.top);
}

} // namespace

QString ShortPlace(const ShipModel& model, int i) {
    return Place(model, i, QStringLiteral("%1 %2,%3"),
                 QCoreApplication::translate("MarkerPlace", "tray"));
}

QString SpokenPlace(const ShipModel& model, int i) {
    return Place(model, i,
                 QCoreApplication::translate("MarkerPlace", "on the %1 picture at %2, %3"),
                 QCoreApplication::translate("MarkerPlace", "in the tray"));
}

QString CarriedPlace(const ShipModel& model, int i) {
    return Place(
        model, i,
        QCoreApplication::translate("MarkerPlace", "carried, over the %1 picture at %2, %3"),
        QCoreApplication::translate("MarkerPlace", "carried, over the tray"));
}

} // namespace pelto5
