-- The sample definition database of the product family, built into Kvarto.mdb (SQLite).
-- Typen: the library types; type 1 is the template library. An empty "Verzeichnis" means the default
-- folder (Bibliothek/<typ> of the program folder, for type 1 the CAD host's template folder).
-- Bloecke: the product's blocks; types 2 title block, 4 north arrow, 7 legend.
PRAGMA encoding = 'UTF-8';

CREATE TABLE Typen (
    TypenId     INTEGER NOT NULL PRIMARY KEY,
    typ         TEXT    NOT NULL,
    Verzeichnis TEXT    NOT NULL DEFAULT '',
    Info        TEXT    NOT NULL DEFAULT ''
);

CREATE TABLE Bloecke (
    blockId     INTEGER NOT NULL PRIMARY KEY,
    TypenId     INTEGER NOT NULL REFERENCES Typen (TypenId),
    VorlagenId  INTEGER NOT NULL DEFAULT 0,
    block       TEXT    NOT NULL,
    Bezeichnung TEXT,
    EinfPunktX  REAL    NOT NULL DEFAULT 0,
    EinfPunktY  REAL    NOT NULL DEFAULT 0,
    EinfPunktZ  REAL    NOT NULL DEFAULT 0,
    FaktorX     REAL    NOT NULL DEFAULT 1,
    FaktorY     REAL    NOT NULL DEFAULT 1,
    FaktorZ     REAL    NOT NULL DEFAULT 1,
    Drehung     REAL    NOT NULL DEFAULT 0,
    Layer       TEXT    NOT NULL DEFAULT '0'
);

INSERT INTO Typen (TypenId, typ, Verzeichnis, Info) VALUES
    (1, 'Vorlagen',      '', 'Vorlagenbibliothek: Zeichnungen und Vorlagen mit Layouts'),
    (2, 'Schriftfelder', '', 'Schriftfelder der Layouts'),
    (4, 'Nordpfeile',    '', 'Nordpfeile'),
    (7, 'Legenden',      '', 'Legenden');

INSERT INTO Bloecke (blockId, TypenId, VorlagenId, block, Bezeichnung,
                     EinfPunktX, EinfPunktY, EinfPunktZ, FaktorX, FaktorY, FaktorZ, Drehung, Layer) VALUES
    (1,  2, 1, 'KV_SF_A4',     'Schriftfeld A4 hoch',      195, 10,  0, 1, 1, 1, 0, 'KV_Schriftfeld'),
    (2,  2, 2, 'KV_SF_A3',     'Schriftfeld A3 quer',      410, 10,  0, 1, 1, 1, 0, 'KV_Schriftfeld'),
    (3,  2, 3, 'KV_SF_A1',     'Schriftfeld A1 quer',      831, 10,  0, 1, 1, 1, 0, 'KV_Schriftfeld'),
    (10, 4, 0, 'KV_NORD_1',    'Nordpfeil einfach',        20,  270, 0, 1, 1, 1, 0, 'KV_Nordpfeil'),
    (11, 4, 0, 'KV_NORD_2',    'Nordpfeil mit Kreis',      20,  270, 0, 1, 1, 1, 0, 'KV_Nordpfeil'),
    (20, 7, 0, 'KV_LEG_PLAN',  'Legende Planzeichen',      300, 60,  0, 1, 1, 1, 0, 'KV_Legende'),
    (21, 7, 0, 'KV_LEG_LEIT',  'Legende Leitungen',        300, 60,  0, 1, 1, 1, 0, 'KV_Legende');
