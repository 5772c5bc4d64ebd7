#include "SheetOutput.h"

#include "AppConfig.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace qw::app {

namespace {

SheetOutput::OfferHandler& offerHandler()
{
    static SheetOutput::OfferHandler handler;
    return handler;
}

SheetOutput::FileHandler& fileHandler()
{
    static SheetOutput::FileHandler handler;
    return handler;
}

// Where the next PDF is proposed: the folder of the last one saved in
// this run, at first the user's documents folder.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

bool askOffer(QWidget* parent, const QString& message, const QString& question)
{
    if (offerHandler())
        return offerHandler()(message, question);
    QMessageBox box(QMessageBox::Warning, kApplicationTitle, message, QMessageBox::NoButton,
                    parent);
    box.setInformativeText(question);
    QPushButton* save =
        box.addButton(QString::fromUtf8("Save as PDF\u2026"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(save);
    box.exec();
    return box.clickedButton() == save;
}

std::optional<QString> askFile(QWidget* parent, const QString& title, const QString& proposedPath,
                               const QString& filter)
{
    if (fileHandler())
        return fileHandler()(proposedPath);
    const QString chosen = QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace

void SheetOutput::setHandlers(OfferHandler offer, FileHandler file)
{
    offerHandler() = std::move(offer);
    fileHandler() = std::move(file);
}

void SheetOutput::print(QWidget* parent, MessageSink& messages, const QString& proposedName,
                        const Print& print, const Save& save)
{
    QString error;
    reports::PrintOutcome outcome = reports::PrintOutcome::Failed;
    try {
        outcome = print(&error);
    } catch (const std::exception& failure) { // the shop record, read again
        error = QString::fromUtf8(failure.what());
    }
    switch (outcome) {
    case reports::PrintOutcome::Printed:
        return;
    case reports::PrintOutcome::NoPrinter:
        if (askOffer(parent, error, QString::fromUtf8(kOfferQuestion)))
            saveAsPdf(parent, messages, proposedName, save);
        return;
    case reports::PrintOutcome::Failed:
        messages.error(error.toStdString());
        return;
    }
}

std::optional<QString> SheetOutput::chooseFile(QWidget* parent, const QString& title,
                                               const QString& proposedName, const QString& filter,
                                               const QString& suffix)
{
    std::optional<QString> chosen =
        askFile(parent, title, QDir(startFolder()).filePath(proposedName), filter);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString file = *chosen;
    if (!file.endsWith(suffix, Qt::CaseInsensitive))
        file += suffix;
    lastFolder() = QFileInfo(file).absolutePath();
    return file;
}

bool SheetOutput::saveAsPdf(QWidget* parent, MessageSink& messages, const QString& proposedName,
                            const Save& save)
{
    const std::optional<QString> chosen =
        chooseFile(parent, QString::fromUtf8(kDialogTitle), proposedName,
                   QStringLiteral("PDF files (*.pdf)"), QStringLiteral(".pdf"));
    if (!chosen)
        return false;
    const QString& file = *chosen;
    QString error;
    bool saved = false;
    try {
        saved = save(file, &error);
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
    }
    if (!saved) {
        messages.error(error.toStdString());
        return false;
    }
    return true;
}

} // namespace qw::app
