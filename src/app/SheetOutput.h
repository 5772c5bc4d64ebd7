#pragma once

// Where a printed sheet goes: straight to the default printer, or into a
// PDF file that the user names. With no usable printer the user is told so
// and offered the PDF instead. The question and the file dialog go through
// replaceable handlers, so that a test can answer them in place of the user.

#include "core/MessageSink.h"
#include "reports/ReportPage.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace qw::app {

class SheetOutput {
public:
    using Print = std::function<reports::PrintOutcome(QString* error)>;
    using Save = std::function<bool(const QString& fileName, QString* error)>;

    // Prints; NoPrinter says so and offers to save the sheet as a PDF,
    // proposing proposedName; any other failure (an exception from print or
    // save included, such as a shop table that cannot be read) is reported
    // as an error.
    static void print(QWidget* parent, MessageSink& messages, const QString& proposedName,
                      const Print& print, const Save& save);
    // Asks for a file (proposedName in the folder last used, at first the
    // documents folder) and saves. False when cancelled or failed.
    static bool saveAsPdf(QWidget* parent, MessageSink& messages, const QString& proposedName,
                          const Save& save);

    // Asks where to save a file of another kind (proposedName in the same
    // folder as the PDFs), through the same file handler; suffix is added
    // when the name chosen lacks it. nullopt when cancelled.
    static std::optional<QString> chooseFile(QWidget* parent, const QString& title,
                                             const QString& proposedName, const QString& filter,
                                             const QString& suffix);

    // The question after "No printer is set up.": true to save a PDF.
    using OfferHandler = std::function<bool(const QString& message, const QString& question)>;
    // The save dialog: the chosen path, or nullopt for Cancel.
    using FileHandler = std::function<std::optional<QString>(const QString& proposedPath)>;
    // Empty handlers restore the real boxes.
    static void setHandlers(OfferHandler offer, FileHandler file);

    static constexpr const char* kOfferQuestion = "Save the sheet as a PDF file instead?";
    static constexpr const char* kDialogTitle = "Save Sheet as PDF";
};

} // namespace qw::app
