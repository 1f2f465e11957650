#pragma once
// The pictures of the main window's top panel and of the diagnostics
// dialogs, drawn by the program itself: the product name, the source
// application, and the arrow into Outlook. A picture may be clicked.
#include <QWidget>

class TfmPicture : public QWidget {
    Q_OBJECT
public:
    enum class Kind { ProductText, Application, Arrow };

    TfmPicture(Kind kind, QWidget* parent = nullptr);
    // The source application the Application picture shows (an AppId; any
    // other value shows a neutral picture).
    void SetApp(int appId);
    int App() const { return m_app; }
    // A picture that can be clicked shows a hand cursor.
    void SetClickable(bool clickable);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Kind m_kind;
    int m_app = 0;
    bool m_clickable = false;
};
