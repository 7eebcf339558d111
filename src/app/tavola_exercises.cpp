// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's exercises: posing one, drawing its diagram, checking the
// answer and keeping the counts.
#include "tavola.h"

#include "exercises/answer.h"
#include "exercises/diagram.h"
#include "exercises/generator.h"
#include "facebutton.h"
#include "label.h"

#include <QApplication>
#include <QLineEdit>

void Tavola::cmdNext_Click()
{
    m_controls.lblMessage->setCaption(QString());

    const Exercise exercise = poseExercise(m_rng);
    ResetDiagrams();
    m_state.ExerciseKind = exercise.kind;
    m_state.Denominator = exercise.denominator;
    const int array = exerciseKindInfo(exercise.kind).pieceArray;
    ShowDiagram(array, exercise.denominator, exercise.numerator);
    // The picture is told to a screen reader by its first piece.
    m_controls.pieces[static_cast<std::size_t>(array)][1]->setAccessibleName(
        spokenDiagram(exercise.numerator, exercise.denominator));
    m_controls.lblnum1->setCaption(QString::number(exercise.whole));
    m_controls.lblnum2->setCaption(QString::number(exercise.numerator));
    m_controls.lbldeno->setCaption(QString::number(exercise.denominator));
    m_state.ExpectedAnswer = exercise.expectedAnswer;

    // A screen reader speaks the answer box as it gets the focus, with the
    // exercise as its description: the description comes first, and the
    // focus moves before the button is disabled, which would move it on by
    // itself. The old answer goes last: a caret move in the box announced
    // before its focus makes a screen reader follow there without a word.
    describeForScreenReaders();
    m_controls.txtAnswer->setFocus();
    m_controls.cmdNext->setEnabled(false);
    m_controls.txtAnswer->clear();
}

void Tavola::ResetDiagrams()
{
    for (const Layout::PieceArray &array : Layout::pieceArrays()) {
        for (int i = 1; i <= array.count; ++i) {
            Piece *piece = m_controls.pieces[static_cast<std::size_t>(array.number)][static_cast<std::size_t>(i)];
            piece->setFillColor(DiagramColors::unshaded);
            piece->hide();
        }
    }
}

void Tavola::ShowDiagram(int array, int d, int n)
{
    const Layout::PieceArray &layout = Layout::pieceArray(array);
    const auto &pieces = m_controls.pieces[static_cast<std::size_t>(array)];
    for (int i = 1; i <= d; ++i) {
        Piece *piece = pieces[static_cast<std::size_t>(i)];
        piece->show();
        if (layout.shownBorder != Layout::kDefaultColour)
            piece->setBorderColor(resolveColour(layout.shownBorder, QApplication::palette()));
    }
    for (int i = 1; i <= n; ++i)
        pieces[static_cast<std::size_t>(i)]->setFillColor(DiagramColors::shaded);
}

void Tavola::checkAnswer()
{
    const bool right = isRightAnswer(m_controls.txtAnswer->text(), m_state.ExpectedAnswer);

    QPalette palette = m_controls.lblMessage->palette();
    palette.setColor(QPalette::WindowText, right ? Qt::blue : Qt::red);
    m_controls.lblMessage->setPalette(palette);
    if (right) {
        m_state.RightCount = countedOnce(m_state.RightCount);
        m_controls.lblMessage->setCaption(rightVerdict());
    } else {
        m_state.WrongCount = countedOnce(m_state.WrongCount);
        m_controls.lblMessage->setCaption(wrongVerdict(m_state.ExpectedAnswer));
        m_controls.lblScore1->setCaption(QString::number(m_state.WrongCount));
    }
    m_controls.lblScore->setCaption(QString::number(m_state.RightCount));
    const int total = int{m_state.RightCount} + int{m_state.WrongCount};
    m_controls.lblScore2->setCaption(QString::number(total));

    // The verdict reaches a screen reader as the description of the button
    // that gets the focus now.
    describeForScreenReaders();
    m_controls.cmdNext->setEnabled(true);
    m_controls.cmdNext->setFocus();
}

// What a screen reader says for the labels whose captions alone would be
// bare numbers.
void Tavola::describeForScreenReaders()
{
    const Controls &c = m_controls;
    const QString exercise = spokenExercise(c.lblnum2->caption().toInt(), c.lbldeno->caption().toInt(),
                                            c.lblnum1->caption().toInt());
    c.txtAnswer->setAccessibleDescription(exercise);
    // Until an answer is checked the button is disabled and never spoken.
    const QString verdict = c.lblMessage->caption();
    c.cmdNext->setAccessibleDescription(verdict.isEmpty() ? QString()
                                            : QStringLiteral("%1. Esatte %2, errate %3, totali %4")
                                                  .arg(verdict, c.lblScore->caption(), c.lblScore1->caption(),
                                                       c.lblScore2->caption()));
    for (Label *part : {c.lblnum2, c.lbldeno, c.lblnum1})
        part->setAccessibleName(exercise);
    c.lblScore->setAccessibleName(QStringLiteral("Risposte esatte: ") + c.lblScore->caption());
    c.lblScore1->setAccessibleName(QStringLiteral("Risposte errate: ") + c.lblScore1->caption());
    c.lblScore2->setAccessibleName(QStringLiteral("Risposte totali: ") + c.lblScore2->caption());
    c.lblnome1->setAccessibleName(QStringLiteral("Sfidante: ") + c.lblnome1->caption());
    c.lblpunti->setAccessibleName(QStringLiteral("Record da battere: ") + c.lblpunti->caption().trimmed());
    c.lblnome->setAccessibleName(QStringLiteral("Record di: ") + c.lblnome->caption().trimmed());
}
