#pragma once

#include "common/dialogs.h"

// QMessageBox and QFileDialog.
class QtDialogs : public Dialogs {
  public:
    void message(const QString& text) override;
    void warning(const QString& text) override;
    bool askYesNo(const QString& text) override;
    QString openFile(const QString& title, const QString& initialFolder,
                     const QString& proposedName, const QString& filter,
                     const QString& defaultSuffix = {}) override;
    QString saveFile(const QString& title, const QString& initialFolder,
                     const QString& proposedName, const QString& filter,
                     const QString& defaultSuffix = {}) override;
};
