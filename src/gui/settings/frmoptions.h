#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLineEdit;
class QLabel;
class QScrollBar;

namespace sestara {

class MarkPreview;
struct Settings;

// "Impostazioni Schedina": the column price, the size of a slip mark and the printer's margins,
// each on a scroll bar. A window of its own above the others, not modal; the main window stays
// disabled while it is open. Values reach the settings and the file only through "Applica".
class FrmOptions : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog on the program's settings, saved to the file at `iniPath`. A file that
    // cannot be read, or holds a value the dialog cannot show, is reported as "Errore nel file INI"
    // with the reason, and the dialog does not open (null).
    static FrmOptions* open(QWidget* mainWindow, Settings& settings, const QString& iniPath);
    ~FrmOptions() override;

    // The message for a settings file that cannot be read or written, naming the file.
    static QString errorText(const QString& reason, const QString& iniPath);

    // Escape closes the dialog like "Chiudi".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FrmOptions(QWidget* mainWindow, Settings& settings, const QString& iniPath);

    void showSuperPunto(int value);
    void predefiniti();
    void applica();
    void enableMainWindow();

    QPointer<QWidget> mainWindow_;
    Settings& settings_;
    QString iniPath_;
    QScrollBar* superPunto_ = nullptr;
    QScrollBar* costoColonna_ = nullptr;
    QScrollBar* costoSuperStar_ = nullptr;
    QScrollBar* margineSup_ = nullptr;
    QScrollBar* margineSin_ = nullptr;
    QLabel* superPuntoText_ = nullptr;
    MarkPreview* shape_ = nullptr;
};

} // namespace sestara
