#pragma once

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class StatusBar;

// The elements of the main window, built in code. Every named component
// carries its name as objectName and its caption as accessible name.
class MainformUi {
  public:
    void setupUi(QMainWindow* window);

    QGroupBox* GroupBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button3 = nullptr;
    StatusBar* StatusBar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    QMenu* Datei1 = nullptr;
    QAction* newProject1 = nullptr;
    QAction* openproject1 = nullptr;
    QAction* closeproject1 = nullptr;
    QAction* recentproject1 = nullptr;
    QAction* Beenden1 = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QAction* Anzeigefensterhinzufgen1 = nullptr;
    QAction* Parameterfensterhinzufgen1 = nullptr;
    QAction* Grafikfensterhinzufgen1 = nullptr;
    QMenu* Fenster1 = nullptr;
    QMenu* siointerface1 = nullptr;
    QAction* errorwithbeep1 = nullptr;
    QAction* errorwithoutbeep1 = nullptr;
    QAction* variablen1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* kestrohelp1 = nullptr;
    QAction* info1 = nullptr;

    static constexpr int clientWidth = 569;
    static constexpr int clientHeight = 120;
};
