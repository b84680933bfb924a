#include "core/conditions/dialogrules.h"
#include "core/development/run.h"

#include <gtest/gtest.h>

using namespace sestara;

using Texts = std::vector<std::string>;

TEST(DialogRules, PredictionCheckAndListPicker)
{
    EXPECT_EQ(predictionCheckForDialog(0), "Inserire Pronostico");
    EXPECT_EQ(predictionCheckForDialog(9), kMsgAlmeno10);
    EXPECT_EQ(predictionCheckForDialog(10), "");

    Texts chosen;
    EXPECT_EQ(aggiungiVoce(chosen, "17"), "");
    EXPECT_EQ(aggiungiVoce(chosen, "5"), "");
    EXPECT_EQ(aggiungiVoce(chosen, "17"), "La voce selezionata è gia presente");
    EXPECT_EQ(chosen, (Texts{"17", "5"}));
}

TEST(DialogRules, GroupEditor)
{
    EXPECT_EQ(scoreChoices(0), Texts{"0"});
    EXPECT_EQ(scoreChoices(1), (Texts{"0", "1"}));
    EXPECT_EQ(scoreChoices(6), scoreChoices(7)) << "never beyond 6";
    EXPECT_EQ(scoreChoices(7), (Texts{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(inserisciGruppoError(true, 1, 2, 0), "Inserire un Gruppo");
    EXPECT_EQ(inserisciGruppoError(false, 0, 0, 0), "Selezionare Punteggio: Min e Max");
    EXPECT_EQ(inserisciGruppoError(false, 3, 2, 0), "Attenzione il Punteggio Min è superiore al Max");
    EXPECT_EQ(inserisciGruppoError(false, 0, 1, 99), "");
    EXPECT_EQ(inserisciGruppoError(false, 2, 2, 0), "");
    EXPECT_EQ(inserisciGruppoError(false, 0, 1, 100), "Non si possono inserire più di 100 gruppi");
    EXPECT_EQ(groupName(2), "Gruppo_2");
    EXPECT_EQ(groupEditorMessage("Gruppo_1", "1", "2", "-5-17-23"), "Gruppo_1----> Punti 1 - 2   -5-17-23");
}
