#pragma once

#include <QColor>
#include <QStatusBar>
#include <array>

class QLabel;
class QProgressBar;

// The main window's status bar: four panels side by side (connection state,
// plug code, activity bar, project folder) and a background colour that turns
// red on a failed connection step.
class StatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusBar(QWidget* parent = nullptr);

    static constexpr int panelCount = 4;
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    int panelWidth(int panel) const;
    void setPanelWidth(int panel, int width);
    // Panels 0 to 2 keep their widths; the last one takes the rest.
    void fitLastPanel();

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    static QColor buttonFace();

    // Lays the activity bar over the panels at left, vertically centred.
    void placeBar(QProgressBar* bar, int left, int width, int height);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layoutPanels();

    std::array<QLabel*, panelCount> panels_{};
    std::array<int, panelCount> widths_{80, 80, 80, 80};
    QColor color_;
};
