// SPDX-License-Identifier: GPL-3.0-or-later
// The controller of the main window: the settings panel and its rules, the menus.
#pragma once

#include "processing/BRProcessor.h"
#include "settings/PresetFile.h"
#include "ui/BRPreviewPanel.h"
#include "ui_BRMainWindow.h"

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <memory>

class BRInfoController;
class CompareWindow;
namespace brelin {
class ComparisonMaker;
}
class QDialog;
class QDockWidget;
class QLineEdit;
class QMainWindow;
class QSettings;
class BRFileListModel;
class BRFileURL;
class NameCell;
class PhotoFactsLoader;
class PrefsController;

class BRController : public QObject,
                     public brelin::BRProcessorDelegate,
                     public BRPreviewPanelController,
                     private Ui::BRMainWindow
{
    Q_OBJECT
public:
    explicit BRController(QObject* parent = nullptr);
    ~BRController() override;

    QMainWindow* window() const { return mainWindow.get(); }

    // A new processing settings record read from the panel as it stands.
    QVariantMap buildPrefs() const;
    // Shows a record in the panel, then refreshes the dependent controls.
    void setValuesFrom(const QVariantMap& record);

public slots:
    void scalingTypeDidChange();
    void uncheckRecompress();
    // The size target's controls follow the quality controls.
    void refreshMaxSize();
    void customPathDidChange();
    // Opens the window-modal folder chooser for the output folder.
    void getCustomPath();
    void openHelp();

    // The file list.
    BRFileListModel* fileList() const { return filesModel.get(); }
    // Adds a file or folder; a folder is read on a worker thread while the window keeps
    // answering, and entries added meanwhile follow in their order.
    void addFile(const QString& path);
    void addFiles(const QList<QUrl>& urls);
    // Opens the window-modal dialog for adding files and folders.
    void addFileButton();
    void removeFile();
    void removeAll();
    void removeItemFromOutline(BRFileURL& node);
    void removeItemFromFilesList(BRFileURL& node);
    // A drop of file URLs; true when something was passed to addFile.
    bool acceptDrop(const QList<QUrl>& urls);

    // Presets: the list, its pop-up and its file.
    void loadPresets();
    bool savePresetsToDisk();
    const brelin::Preset* presetWithName(const QString& name) const;
    bool presetDoesNotExist(const brelin::Preset& preset) const;
    void addToPresetMenu(const brelin::Preset& preset);
    void removeFromPresetMenu(const brelin::Preset& preset);
    // The pop-up item at `index` was chosen.
    void getValuesFromPreset(int index);
    void savePreset();
    void savePresetCancel();
    void savePresetWithName();
    // The preferences window; `manage` goes on to the preset manager when it may.
    void openPrefs(bool manage = false);
    // Runs the batch over every file of the list with the panel's settings as they stand;
    // returns when the run is over.
    void process();
    // The end of a run: empties the list when "Empty List" is on and the run was
    // started from the list.
    void processDidEnd() override;

    // Stores the selected preset's name as the one to apply at the next start.
    void applicationWillTerminate();

    // A path handed over by the desktop: added to the list, or processed at once when
    // "Process Now" is on; false when it was to be processed and is not accepted.
    bool openFile(const QString& path);
    // Paths handed over together go to openFile one at a time, each run ending before
    // the next begins.
    void openFiles(const QStringList& paths);
    // Closing the main window closes the info panel first.
    bool windowShouldClose();
    // An item that nothing answers is disabled.
    void validateMenuItem(QAction* item);
    void toggleInfos();
    // One selected row shows its file in the info panel; none or several clear it.
    void outlineViewSelectionDidChange();
    // View ▸ Compare: the compare window shows the selected photo and its result.
    void openCompare();
    // The compare window, once opened.
    CompareWindow* compareWindow() const { return compareWin; }
    void visitHomepage();
    void contactMe();
    void donate();

public:
    // The preview panel: control, its items (the selected rows in row order), the keys
    // pressed in it (handed to the list) and the rows it grows from.
    bool acceptsPreviewPanelControl(BRPreviewPanel* panel) override;
    void beginPreviewPanelControl(BRPreviewPanel* panel) override;
    void endPreviewPanelControl(BRPreviewPanel* panel) override;
    int numberOfPreviewItemsInPreviewPanel(BRPreviewPanel* panel) override;
    BRFileURLPtr previewItemAtIndex(BRPreviewPanel* panel, int index) override;
    bool previewPanelHandleEvent(BRPreviewPanel* panel, QKeyEvent* event) override;
    QRect sourceFrameOnScreenForPreviewItem(BRPreviewPanel* panel, const BRFileURL& item) override;

    const brelin::PresetList& presetList() const { return presets; }
    // Reads what the list's rows show of their photos.
    PhotoFactsLoader* photoFacts() const { return factsLoader; }
    static QUrl homepageUrl();
    static QUrl contactUrl();
    static QUrl donateUrl();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpPresets();
    void updateProcessEnabled();
    // Runs the batch over these files with the panel's settings; returns when it is over.
    void runBatch(const std::vector<BRFileURLPtr>& files);
    // After a run: each listed file's line says what became of it, each folder's its
    // photos' total, and files the run replaced are read again.
    void showOutcomes(const std::vector<brelin::FileOutcome>& outcomes);
    // Any control of the settings panel changed: the lines of the last run no longer
    // say what a run would do once the record differs from the run's.
    void watchSettings();
    void settingsDidChange();
    // The open compare window is to show the selection under the settings as they stand:
    // taken together with the other changes of the same moment.
    void compareDidChange();
    void requestComparison();
    void connectActions();
    void showAbout();
    void setUpInfoDrawer();
    void showSelectionInfo();
    // Connects a menu item to what it does; the items connected so are the enabled ones.
    template <typename Slot>
    void answer(QAction* item, Slot slot)
    {
        operations.insert(item);
        connect(item, &QAction::triggered, this, slot);
    }
    void validateMenus();
    void forwardToFocusedField(const char* slot);

    std::unique_ptr<QMainWindow> mainWindow;
    std::unique_ptr<BRFileListModel> filesModel;
    NameCell* nameCell = nullptr;
    PhotoFactsLoader* factsLoader = nullptr;
    QVariantMap lastRunPrefs; // the record the list's run lines come from
    QStringList pendingAdds;
    bool adding = false;
    bool dropOnIcon = false; // the last run was for a file opened with immediate processing
    bool processing = false;
    QSet<const QAction*> operations;
    QStringList pendingOpens;
    bool opening = false;
    QDockWidget* infoDrawer = nullptr;
    bool infoUpdatePending = false;
    CompareWindow* compareWin = nullptr;
    brelin::ComparisonMaker* comparisons = nullptr;
    bool comparePending = false;
    QPointer<BRPreviewPanel> previewPanel; // while this controller controls it
    BRInfoController* infoController = nullptr;
    QString customPathBackup;
    int maxSizeBytes = 0; // the size target's field, in bytes
    bool applyingMaxSize = false;

    brelin::PresetList presets;
    std::unique_ptr<QSettings> userPrefs;
    QString appSupportDir;
    brelin::PresetFile presetsFile;
    std::unique_ptr<PrefsController> prefcontrol;
    QDialog* savePresetWindow = nullptr;
    QLineEdit* savePresetName = nullptr;
    int shownPreset = -1; // the preset item the pop-up shows between its action items
};
