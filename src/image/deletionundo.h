#pragma once
// The last deletion on the PC, kept so that it can be taken back until the
// database is saved, opened or made anew: the whole image as it was before
// (a deletion touches more than its slot: quick keys, links to it).
#include <QByteArray>
#include <QString>

class WorkImage;
struct AppState;

class DeletionUndo {
public:
    // Before a deletion: what it was ("towar 12. Mleko").
    void Remember(WorkImage& image, const AppState& app, const QString& what);
    bool Available(const AppState& app) const;
    QString What() const { return what_; }
    // Puts the image back as it was before the deletion; false when there is
    // nothing to take back.
    bool Restore(WorkImage& image, AppState& app);

private:
    QByteArray before_;
    QString what_;
    int generation_ = -1;
};
