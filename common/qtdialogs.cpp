#include "common/qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// Takes filters also in the "description|pattern|..." form the windows'
// file types are written in.
QString qtFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out.join(QStringLiteral(";;"));
}

QString runFileDialog(QFileDialog::AcceptMode mode, const QString& title,
                      const QString& initialFolder, const QString& proposedName,
                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dlg(dialogParent(), title, initialFolder, qtFilter(filter));
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    // The overwrite question is the caller's business.
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dlg.selectFile(proposedName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

} // namespace

void QtDialogs::message(const QString& text) {
    QMessageBox::information(dialogParent(), QApplication::applicationName(), text);
}

void QtDialogs::warning(const QString& text) {
    QMessageBox::warning(dialogParent(), QApplication::applicationName(), text);
}

bool QtDialogs::askYesNo(const QString& text) {
    return QMessageBox::warning(dialogParent(), QApplication::applicationName(), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

QString QtDialogs::openFile(const QString& title, const QString& initialFolder,
                            const QString& proposedName, const QString& filter,
                            const QString& defaultSuffix) {
    return runFileDialog(QFileDialog::AcceptOpen, title, initialFolder, proposedName, filter,
                         defaultSuffix);
}

QString QtDialogs::saveFile(const QString& title, const QString& initialFolder,
                            const QString& proposedName, const QString& filter,
                            const QString& defaultSuffix) {
    return runFileDialog(QFileDialog::AcceptSave, title, initialFolder, proposedName, filter,
                         defaultSuffix);
}
