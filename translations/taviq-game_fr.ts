<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Game</name>
    <message>
        <source>Programmed by</source>
        <translation>Programmé par</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Bye</source>
        <translation>Au revoir</translation>
    </message>
    <message>
        <source>Press OK to Reset Game</source>
        <translation>OK pour rejouer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Meilleurs temps</translation>
    </message>
    <message>
        <source>Reset Scores</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Easy :</source>
        <translation>Facile&#xa0;:</translation>
    </message>
    <message>
        <source>Medium :</source>
        <translation>Moyen&#xa0;:</translation>
    </message>
    <message>
        <source>Hard :</source>
        <translation>Dur&#xa0;:</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause Game</source>
        <translation>Mettre la partie en pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Resume Game</source>
        <translation>Reprendre la partie</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Relancer</translation>
    </message>
    <message>
        <source>Reset Game</source>
        <translation>Relancer la partie</translation>
    </message>
    <message>
        <source>Timer : %1 : %2</source>
        <translation>Temps&#xa0;: %1&#xa0;min %2&#xa0;s</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Partie terminée</translation>
    </message>
    <message>
        <source>Time up<byte value="xd"/>This will reset your game</source>
        <translation>Temps écoulé<byte value="xd"/>La partie va être relancée</translation>
    </message>
    <message>
        <source>Time Up</source>
        <translation>Temps écoulé</translation>
    </message>
    <message>
        <source>This will reset current game</source>
        <translation>La partie en cours va être relancée</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Your goal is to arrange the numbers in order<byte value="xd"/>
Click on a number near blank to move it to blank<byte value="xd"/>
or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number<byte value="xd"/>
F2 to Autoplay game<byte value="xd"/>Click Reset button to reset Game</source>
        <translation>Votre but&#xa0;: remettre les nombres dans l&apos;ordre<byte value="xd"/>
Cliquez sur un nombre voisin de la case vide pour l&apos;y faire glisser<byte value="xd"/>
ou utilisez les touches 8, 2, 4 et 6 (pavé numérique, verrouillage numérique activé) pour déplacer un nombre<byte value="xd"/>
F2 pour le jeu automatique<byte value="xd"/>Cliquez sur «&#xa0;Relancer&#xa0;» pour relancer la partie</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Non enregistré</translation>
    </message>
    <message>
        <source>A better time was saved meanwhile.</source>
        <translation>Un meilleur temps a été enregistré entre-temps.</translation>
    </message>
    <message>
        <source>Your best time could not be saved:</source>
        <translation>Votre meilleur temps n&apos;a pas pu être enregistré&#xa0;:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Difficulté</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Dur</translation>
    </message>
    <message>
        <source>Apply Difficulty Level</source>
        <translation>Appliquer le niveau de difficulté</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Time limit in minutes</source>
        <translation>Limite en minutes</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Auto Play</source>
        <translation>Jeu automatique</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Comment jouer</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>The settings folder %1 could not be created</source>
        <translation>Le dossier des réglages %1 n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read</source>
        <translation>Le fichier des réglages %1 n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>The settings file %1 is a folder</source>
        <translation>Le fichier des réglages %1 est un dossier</translation>
    </message>
    <message>
        <source>The settings file %1 is a pipe</source>
        <translation>Le fichier des réglages %1 est un tube</translation>
    </message>
    <message>
        <source>The settings file %1 is a socket</source>
        <translation>Le fichier des réglages %1 est une socket</translation>
    </message>
    <message>
        <source>The settings file %1 is a device</source>
        <translation>Le fichier des réglages %1 est un périphérique</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file</source>
        <translation>Le fichier des réglages %1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>The settings file %1 is a link that leads nowhere</source>
        <translation>Le fichier des réglages %1 est un lien qui ne mène nulle part</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 1 GiB</source>
        <translation>Le fichier des réglages %1 dépasse 1 Gio</translation>
    </message>
    <message>
        <source>%1 is in the lock&apos;s way and could not be removed</source>
        <extracomment>Something that is no lock stands at the path of the settings file&apos;s lock.</extracomment>
        <translation>Impossible de supprimer %1, qui occupe la place du verrou</translation>
    </message>
    <message>
        <source>The lock %1 could not be created</source>
        <translation>Le verrou %1 n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>Another program (process %2) is saving the settings file (lock %1)</source>
        <extracomment>%1 is the path of the lock, %2 the number of the process that holds it.</extracomment>
        <translation>Un autre programme (processus %2) enregistre le fichier des réglages (verrou %1)</translation>
    </message>
    <message>
        <source>Another program is saving the settings file (lock %1)</source>
        <translation>Un autre programme enregistre le fichier des réglages (verrou %1)</translation>
    </message>
    <message>
        <source>The unreadable content could not be copied to %1</source>
        <extracomment>What cannot be carried over into the new settings file is kept in a copy.</extracomment>
        <translation>Le contenu illisible n&apos;a pas pu être copié dans %1</translation>
    </message>
    <message>
        <source>The settings file %1 could not be written</source>
        <translation>Le fichier des réglages %1 n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <source>The settings file %1 could not be replaced</source>
        <translation>Le fichier des réglages %1 n&apos;a pas pu être remplacé</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what went wrong, %2 the system&apos;s own words for the error.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The scores could not be reset:</source>
        <translation>Les meilleurs temps n&apos;ont pas pu être effacés&#xa0;:</translation>
    </message>
    <message>
        <source>Your settings could not be saved:</source>
        <translation>Vos réglages n&apos;ont pas pu être enregistrés&#xa0;:</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <translation>Anonyme</translation>
    </message>
</context>
<context>
    <name>TileButton</name>
    <message>
        <source>blank</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>row %1, column %2</source>
        <translation>ligne %1, colonne %2</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <source>Up</source>
        <translation>Augmenter</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Diminuer</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Game</source>
        <translation>Jeu</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Mélange</translation>
    </message>
    <message>
        <source>Auto play started</source>
        <translation>Jeu automatique lancé</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
</context>
<context>
    <name>frmabout</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>%1. %2 %3. %4 %5</source>
        <translation>%1. %2 %3. %4 %5</translation>
    </message>
</context>
<context>
    <name>frmentername</name>
    <message>
        <source>Winner</source>
        <translation>Gagnant</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Congragulations<byte value="xd"/>
You Win the game<byte value="xd"/>
Good Luck</source>
        <translation>Félicitations<byte value="xd"/>
Vous avez gagné la partie<byte value="xd"/>
Bonne chance</translation>
    </message>
    <message>
        <source>Congragulations<byte value="xd"/>
You Win the game and got top time <byte value="xd"/>
Please Enter your name</source>
        <translation>Félicitations<byte value="xd"/>
Vous avez battu le record <byte value="xd"/>
Entrez votre nom</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Enter a name</source>
        <translation>Entrez un nom</translation>
    </message>
</context>
<context>
    <name>frmhighscores</name>
    <message>
        <source>High Scorers</source>
        <translation>Meilleurs joueurs</translation>
    </message>
    <message>
        <source>%1: %2, %3</source>
        <translation>%1&#xa0;: %2, %3</translation>
    </message>
    <message>
        <source>Scores reset</source>
        <translation>Meilleurs temps effacés</translation>
    </message>
</context>
</TS>
