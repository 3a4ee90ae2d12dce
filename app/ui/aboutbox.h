// The About box TAboutBox: product name, version text, the maker's web site and its
// donation page.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TMainForm;

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    int ALanguage = 0; // 0 German, other English
    void setVersion(const QString &version);

    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;      // "Version" / "Release"
    QLabel *LabelVersion = nullptr; // the version text
    QLabel *LabelWeb = nullptr;     // "Web:"
    QLabel *LinkWeb = nullptr;
    QLabel *LinkDonate = nullptr;
    QLabel *LabelDonate = nullptr;
    QPushButton *OKButton = nullptr;

    // The maker's pages in a language.
    static QString webPage(int language);
    static QString donationPage(int language);

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    TMainForm *form() const;
};
