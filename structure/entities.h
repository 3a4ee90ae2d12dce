// The special-character dialog's texts: the entity buttons in their toolbar order, the two
// sample lines of symbols, and the numeric reference of a character.
#pragma once

#include <QList>
#include <QString>

struct EntityButton {
    QString caption; // the character the button shows ("Space" for the blank)
    QString entity;  // what it puts into the code field
    QString name;    // its objectName
};

// The 24 buttons in toolbar order. Every button shows the character it inserts.
const QList<EntityButton> &entityButtons();

// The sample editor's text: two lines of symbols separated by single spaces.
QString specialSampleText();

// "&#N;" for the first UTF-16 unit of the text; empty for an empty text.
QString numericReference(const QString &selected);

// The window caption, the code label and button, and the close button.
QString specialCaption(bool english);
