-- gamelist.mdb as an SQLite database: the one table `main`.
--
-- The column order is part of the format: the game query selects * and
-- binds the result columns by position. Declared types give SQLite the
-- affinities that make the bound filters compare as they would in Access:
-- the CHAR columns are TEXT (BETWEEN on Resolution compares text, LIKE is
-- case-blind for ASCII), the others INTEGER (a palette range handed over as
-- decimal text is compared as numbers). The driver also reports these
-- declared types as SQL_CHAR, SQL_SMALLINT, SQL_TINYINT and SQL_INTEGER.
--
-- Every column is NOT NULL with a default, because the game query binds no
-- null indicators. The import writes every column but two:
--   Status   defaults to 3, "any other result": a game that has not been
--            verified yet is listed as such (and drawn in the colour of
--            unverified sets) until verification gives its verdict.
--   Category defaults to a single space, the catalogue's "no value" text
--            (as in Cloneof and Resolution), for games catver.ini does not
--            name.
--
-- RomName and Cloneof hold short names of up to 16 characters (today's
-- emulator uses up to 15). A catalogue made with the older CHAR(9) columns
-- opens and lists as it is: SQLite keeps whatever length is written.
CREATE TABLE main (
    RomName      CHAR(17)  NOT NULL DEFAULT ' ' PRIMARY KEY,
    Description  CHAR(120) NOT NULL DEFAULT ' ',
    Year         SMALLINT  NOT NULL DEFAULT 0,
    Manufacturer CHAR(100) NOT NULL DEFAULT ' ',
    Original     TINYINT   NOT NULL DEFAULT 0,
    Cloneof      CHAR(17)  NOT NULL DEFAULT ' ',
    Status       TINYINT   NOT NULL DEFAULT 3,
    DriverStatus TINYINT   NOT NULL DEFAULT 0,
    ColorStatus  TINYINT   NOT NULL DEFAULT 0,
    SoundStatus  TINYINT   NOT NULL DEFAULT 0,
    Palette      INTEGER   NOT NULL DEFAULT 0,
    Video        TINYINT   NOT NULL DEFAULT 0,
    Orientation  TINYINT   NOT NULL DEFAULT 0,
    Resolution   CHAR(10)  NOT NULL DEFAULT ' ',
    Frequency    TINYINT   NOT NULL DEFAULT 0,
    Category     CHAR(90)  NOT NULL DEFAULT ' ',
    IconPath     CHAR(21)  NOT NULL DEFAULT ' ',
    ismechanical TINYINT   NOT NULL DEFAULT 0
);

-- ---- Added after the first catalogues ----------------------------------
-- A catalogue made before these were added gets them at connection time
-- (db/catalogue_upgrade.cpp, which holds the same definitions).
--
-- main.ismechanical: 1 for a game today's list marks ismechanical="yes".
--
-- usergames: the player's own data per game, keyed by ROM name. A rebuild
-- refills main only, so a favourite or a play count outlives a game that
-- leaves the list and is there again when it returns. LastPlayed is local
-- time as "YYYY-MM-DD HH:MM:SS", empty for never.
CREATE TABLE usergames (
    RomName       CHAR(17) NOT NULL PRIMARY KEY,
    Favourite     TINYINT  NOT NULL DEFAULT 0,
    TimesPlayed   INTEGER  NOT NULL DEFAULT 0,
    LastPlayed    CHAR(19) NOT NULL DEFAULT '',
    SecondsPlayed INTEGER  NOT NULL DEFAULT 0
);

-- The index of history.xml: the one file indexed (its path, root version
-- attribute, size and write time, and Damaged when it could not be read to its
-- end) and, per system name (lowercase), where the entry's text lies in it.
CREATE TABLE historyfile (
    Path    CHAR(260) NOT NULL DEFAULT '',
    Version CHAR(40)  NOT NULL DEFAULT '',
    Size    INTEGER   NOT NULL DEFAULT 0,
    Time    INTEGER   NOT NULL DEFAULT 0,
    Damaged TINYINT   NOT NULL DEFAULT 0
);
CREATE TABLE historyindex (
    Name   CHAR(40) NOT NULL,
    Offset INTEGER  NOT NULL,
    Length INTEGER  NOT NULL
);
CREATE INDEX historyindex_name ON historyindex (Name);
