#pragma once

#include "Outils_Test.h"

#include <QByteArray>

// Mills around Dijon: Dijon, Beaune twice, Auxerre, Besançon (a name with
// XML's own characters), Paris; one without a position, one whose position
// is text. In the log, 21001 contacted and 21002 pending.
inline const QByteArray Liste_Autour = "dmf;nom;commune;lat;lon\r\n"
                                       "21001;Moulin A;Dijon;47.3220;5.0415\r\n"
                                       "21002;Moulin B;Beaune;47.0260;4.8400\r\n"
                                       "21003;Moulin Neuf;Beaune;47.0300;4.8300\r\n"
                                       "21004;Moulin D;Semur;;\r\n"
                                       "21005;Moulin E;Nuits;près du pont;\r\n"
                                       "89001;Moulin F;Auxerre;47.7982;3.5673\r\n"
                                       "25001;Moulin & \"G\" <bis>;Besançon;47.2378;6.0241\r\n"
                                       "75001;Moulin H;Paris;48.8566;2.3522\r\n";

inline const QByteArray Log_Autour = Ligne("03/01/07", "21001", "Moulin Contacte", "F4ABC") + "\r\n" +
                                     Ligne("04/01/07", "21002", "Moulin Contacte", "F4ABC", true) + "\r\n";
