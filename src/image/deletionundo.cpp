#include "image/deletionundo.h"

#include "common/appstate.h"
#include "image/layout.h"
#include "image/workimage.h"

void DeletionUndo::Remember(WorkImage& image, const AppState& app, const QString& what) {
    before_ = image.ReadBytesAt(0, layout::kImageSize);
    what_ = what;
    generation_ = app.imageGeneration;
}

bool DeletionUndo::Available(const AppState& app) const {
    return !before_.isEmpty() && generation_ == app.imageGeneration;
}

bool DeletionUndo::Restore(WorkImage& image, AppState& app) {
    if (!Available(app) || !image.WriteBytesAt(0, before_)) return false;
    before_.clear();
    app.databaseModified = true;
    return true;
}
