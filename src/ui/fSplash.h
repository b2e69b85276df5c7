#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

class QLabel;

/// The start-up window: the logo, one line naming the current start-up step
/// (labMessage, which the start-up sets directly) and the maker's notice line.
/// It has no caption and stays above other windows until the start-up closes it.
class fSplash : public QWidget
{
    Q_OBJECT

public:
    explicit fSplash(QWidget *parent = nullptr);
    ~fSplash() override;

    QLabel *imgLogo;
    QLabel *labMessage;
    QLabel *labCopyright;
    QLabel *Label1;

    /// Clears the message, shows the window and lets it paint.
    void FormOpen();
    /// Closes the window.
    void FormClose();
    /// Shows the message and lets the window paint; never fails.
    void PutMessage(const QString &message);
    void FormSizing() {}

    QFont CompanyFont() const { return m_companyFont; }
    void setCompanyFont(const QFont &font) { m_companyFont = font; }
    QFont MessageFont() const;
    void setMessageFont(const QFont &font);
    QFont CopyrightFont() const;
    void setCopyrightFont(const QFont &font);
    /// Text colours as 0x00BBGGRR or system colours.
    quint32 MessageColor() const;
    void setMessageColor(quint32 colour);
    quint32 CopyrightColor() const;
    void setCopyrightColor(quint32 colour);
    /// The stored notice text; setting it also shows it in labCopyright.
    QString Copyright() const { return m_copyright; }
    void setCopyright(const QString &text);
    /// Width of labMessage in twips.
    int MessageWidth() const;
    void setMessageWidth(int twips);
    QPixmap LogoPicture() const;
    void setLogoPicture(const QPixmap &picture);

    /// The logo drawn for the program (no picture file is needed).
    static QPixmap defaultLogo();

private:
    QFont m_companyFont;
    QString m_copyright;
};
