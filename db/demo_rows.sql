-- Demo catalogue for `make run` until the catalogue can be built from the
-- emulator: a few dozen games as the import and verification would leave
-- them. Mixed verification results (0 good, 1 best available, 2 bad, 3 not
-- verified), clones, vector and vertical games, a game without a year,
-- emulation status codes 0-3 and catver-style categories.
--
-- Columns: RomName, Description, Year, Manufacturer, Original, Cloneof,
-- Status, DriverStatus, ColorStatus, SoundStatus, Palette, Video,
-- Orientation, Resolution, Frequency, Category, IconPath
BEGIN;
-- The rows go through a table of the seventeen columns above; main's later
-- columns keep their defaults.
CREATE TEMP TABLE demo AS SELECT RomName, Description, Year, Manufacturer, Original, Cloneof, Status, DriverStatus, ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, Frequency, Category, IconPath FROM main WHERE 0;
INSERT INTO demo VALUES ('puckman',  'Puck Man (Japan set 1)', 1980, 'Namco', 0, ' ', 0, 0, 0, 0, 512, 0, 1, '288x224', 60, 'Maze / Collect', 'puckman.ico');
INSERT INTO demo VALUES ('pacman',   'Pac-Man (Midway)', 1980, 'Namco (Midway license)', 1, 'puckman', 0, 0, 0, 0, 512, 0, 1, '288x224', 60, 'Maze / Collect', 'puckman.ico');
INSERT INTO demo VALUES ('mspacman', 'Ms. Pac-Man', 1981, 'Midway / General Computer Corporation', 0, ' ', 1, 0, 0, 0, 512, 0, 1, '288x224', 60, 'Maze / Collect', 'mspacman.ico');
INSERT INTO demo VALUES ('mspacmnf', 'Ms. Pac-Man (speedup hack)', 1981, 'hack', 1, 'mspacman', 2, 0, 0, 0, 512, 0, 1, '288x224', 60, 'Maze / Collect', 'mspacman.ico');
INSERT INTO demo VALUES ('galaga',   'Galaga (Namco rev. B)', 1981, 'Namco', 0, ' ', 0, 0, 0, 0, 576, 0, 1, '288x224', 60, 'Shooter / Gallery', 'galaga.ico');
INSERT INTO demo VALUES ('galagamw', 'Galaga (Midway set 1)', 1981, 'Namco (Midway license)', 1, 'galaga', 1, 0, 0, 0, 576, 0, 1, '288x224', 60, 'Shooter / Gallery', 'galaga.ico');
INSERT INTO demo VALUES ('galaxian', 'Galaxian (Namco set 1)', 1979, 'Namco', 0, ' ', 0, 0, 0, 1, 32, 0, 1, '256x224', 60, 'Shooter / Gallery', 'galaxian.ico');
INSERT INTO demo VALUES ('digdug',   'Dig Dug (rev 2)', 1982, 'Namco', 0, ' ', 0, 0, 0, 0, 260, 0, 1, '288x224', 60, 'Maze / Digging', 'digdug.ico');
INSERT INTO demo VALUES ('xevious',  'Xevious (Namco)', 1982, 'Namco', 0, ' ', 3, 0, 0, 0, 640, 0, 1, '288x224', 60, 'Shooter / Flying Vertical', 'xevious.ico');
INSERT INTO demo VALUES ('dkong',    'Donkey Kong (US set 1)', 1981, 'Nintendo of America', 0, ' ', 0, 0, 0, 0, 256, 0, 1, '256x224', 60, 'Platform / Climb', 'dkong.ico');
INSERT INTO demo VALUES ('dkongj',   'Donkey Kong (Japan set 1)', 1981, 'Nintendo', 1, 'dkong', 2, 0, 0, 0, 256, 0, 1, '256x224', 60, 'Platform / Climb', 'dkong.ico');
INSERT INTO demo VALUES ('dkongjr',  'Donkey Kong Junior (US set F-2)', 1982, 'Nintendo of America', 0, ' ', 0, 0, 0, 1, 256, 0, 1, '256x224', 60, 'Platform / Climb', 'dkongjr.ico');
INSERT INTO demo VALUES ('1942',     '1942 (Revision B)', 1984, 'Capcom', 0, ' ', 0, 0, 0, 0, 256, 0, 1, '256x224', 60, 'Shooter / Flying Vertical', '1942.ico');
INSERT INTO demo VALUES ('1942a',    '1942 (Revision A)', 1984, 'Capcom', 1, '1942', 1, 0, 0, 0, 256, 0, 1, '256x224', 60, 'Shooter / Flying Vertical', '1942.ico');
INSERT INTO demo VALUES ('1943',     '1943: The Battle of Midway (Euro)', 1987, 'Capcom', 0, ' ', 0, 0, 0, 0, 384, 0, 1, '256x224', 60, 'Shooter / Flying Vertical', '1943.ico');
INSERT INTO demo VALUES ('asteroid', 'Asteroids (rev 4)', 1979, 'Atari', 0, ' ', 0, 0, 0, 1, 0, 1, 0, ' ', 60, 'Shooter / Field', 'asteroid.ico');
INSERT INTO demo VALUES ('asteroi1', 'Asteroids (rev 1)', 1979, 'Atari', 1, 'asteroid', 1, 0, 0, 1, 0, 1, 0, ' ', 60, 'Shooter / Field', 'asteroid.ico');
INSERT INTO demo VALUES ('tempest',  'Tempest (rev 3, Revised Hardware)', 1980, 'Atari', 0, ' ', 0, 0, 0, 0, 0, 1, 1, ' ', 60, 'Shooter / Field', 'tempest.ico');
INSERT INTO demo VALUES ('bzone',    'Battle Zone (rev 2)', 1980, 'Atari', 0, ' ', 2, 0, 0, 1, 0, 1, 0, ' ', 60, 'Shooter / 3rd Person', 'bzone.ico');
INSERT INTO demo VALUES ('starwars', 'Star Wars (set 1)', 1983, 'Atari', 0, ' ', 3, 0, 0, 0, 0, 1, 0, ' ', 60, 'Shooter / Flying 1st Person', 'starwars.ico');
INSERT INTO demo VALUES ('centiped', 'Centipede (revision 4)', 1980, 'Atari', 0, ' ', 0, 0, 0, 0, 32, 0, 1, '256x240', 60, 'Shooter / Gallery', 'centiped.ico');
INSERT INTO demo VALUES ('gauntlet', 'Gauntlet (rev 14)', 1985, 'Atari Games', 0, ' ', 1, 0, 0, 0, 1024, 0, 0, '336x240', 60, 'Maze / Shooter Large', 'gauntlet.ico');
INSERT INTO demo VALUES ('defender', 'Defender (Red label)', 1980, 'Williams', 0, ' ', 0, 0, 0, 0, 16, 0, 0, '292x240', 60, 'Shooter / Flying Horizontal', 'defender.ico');
INSERT INTO demo VALUES ('robotron', 'Robotron: 2084 (Solid Blue label)', 1982, 'Williams / Vid Kidz', 0, ' ', 0, 0, 0, 0, 16, 0, 0, '292x240', 60, 'Shooter / Walking', 'robotron.ico');
INSERT INTO demo VALUES ('joust',    'Joust (Green label)', 1982, 'Williams', 0, ' ', 2, 0, 0, 0, 16, 0, 0, '292x240', 60, 'Platform / Fighter', 'joust.ico');
INSERT INTO demo VALUES ('invaders', 'Space Invaders / Space Invaders M', 1978, 'Taito / Midway', 0, ' ', 0, 0, 3, 1, 2, 0, 1, '260x224', 60, 'Shooter / Gallery', 'invaders.ico');
INSERT INTO demo VALUES ('invadrmr', 'Space Invaders (Model Racing)', 1978, 'Taito / Model Racing', 1, 'invaders', 3, 0, 3, 1, 2, 0, 1, '260x224', 60, 'Shooter / Gallery', 'invaders.ico');
INSERT INTO demo VALUES ('qbert',    'Q*bert (US set 1)', 1982, 'Gottlieb', 0, ' ', 0, 0, 0, 1, 16, 0, 1, '256x240', 61, 'Platform / Single Screen', 'qbert.ico');
INSERT INTO demo VALUES ('frogger',  'Frogger', 1981, 'Konami', 0, ' ', 1, 0, 0, 0, 96, 0, 1, '256x224', 60, 'Action', 'frogger.ico');
INSERT INTO demo VALUES ('bublbobl', 'Bubble Bobble (Japan, Ver 0.1)', 1986, 'Taito Corporation', 0, ' ', 0, 0, 0, 0, 256, 0, 0, '256x224', 60, 'Platform / Single Screen', 'bublbobl.ico');
INSERT INTO demo VALUES ('rtype',    'R-Type (World)', 1987, 'Irem', 0, ' ', 0, 0, 0, 0, 512, 0, 0, '384x256', 55, 'Shooter / Flying Horizontal', 'rtype.ico');
INSERT INTO demo VALUES ('outrun',   'Out Run (sitdown/upright, Rev B)', 1986, 'Sega', 0, ' ', 1, 0, 0, 1, 12288, 0, 0, '320x224', 60, 'Driving / Race (chase view)', 'outrun.ico');
INSERT INTO demo VALUES ('sf2',      'Street Fighter II: The World Warrior (World 910522)', 1991, 'Capcom', 0, ' ', 0, 0, 0, 0, 4096, 0, 0, '384x224', 59, 'Fighter / Versus', 'sf2.ico');
INSERT INTO demo VALUES ('sf2ua',    'Street Fighter II: The World Warrior (USA 910206)', 1991, 'Capcom', 1, 'sf2', 2, 0, 0, 0, 4096, 0, 0, '384x224', 59, 'Fighter / Versus', 'sf2.ico');
INSERT INTO demo VALUES ('sf2ce',    'Street Fighter II'': Champion Edition (World 920513)', 1992, 'Capcom', 0, ' ', 0, 0, 0, 0, 4096, 0, 0, '384x224', 59, 'Fighter / Versus', 'sf2ce.ico');
INSERT INTO demo VALUES ('dino',     'Cadillacs and Dinosaurs (World 930201)', 1993, 'Capcom', 0, ' ', 3, 0, 0, 0, 4096, 0, 0, '384x224', 59, 'Fighter / Scrolling', 'dino.ico');
INSERT INTO demo VALUES ('mslug',    'Metal Slug - Super Vehicle-001', 1996, 'Nazca', 0, ' ', 0, 0, 0, 0, 4096, 0, 0, '320x224', 59, 'Platform / Shooter Scrolling', 'mslug.ico');
INSERT INTO demo VALUES ('kof98',    'The King of Fighters ''98 - The Slugfest / King of Fighters ''98 - dream match never ends', 1998, 'SNK', 0, ' ', 1, 0, 0, 0, 4096, 0, 0, '320x224', 59, 'Fighter / Versus', 'kof98.ico');
INSERT INTO demo VALUES ('nbajam',   'NBA Jam (rev 3.01 4/07/93)', 1993, 'Midway', 0, ' ', 2, 1, 0, 1, 32768, 0, 0, '400x254', 54, 'Sports / Basketball', 'nbajam.ico');
INSERT INTO demo VALUES ('area51',   'Area 51 (R3000)', 1995, 'Atari Games', 0, ' ', 3, 1, 1, 2, 32768, 0, 0, '320x240', 60, 'Shooter / Gun', 'area51.ico');
INSERT INTO demo VALUES ('pong',     'Pong (Rev E)', 1972, 'Atari', 0, ' ', 0, 3, 0, 1, 2, 0, 0, '1024x570', 60, 'Ball & Paddle / Pong', 'pong.ico');
INSERT INTO demo VALUES ('sfiii3',   'Street Fighter III 3rd Strike: Fight for the Future (Euro 990608)', 1999, 'Capcom', 0, ' ', 2, 2, 1, 1, 65536, 0, 0, '384x224', 59, 'Fighter / Versus', 'sfiii3.ico');
INSERT INTO demo VALUES ('unkpacg',  'unknown ''Pac-Man'' gambling game', 0, '<unknown>', 0, ' ', 3, 2, 2, 2, 256, 0, 0, '288x224', 60, 'Casino / Cards', 'unkpacg.ico');
INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, Status, DriverStatus, ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, Frequency, Category, IconPath) SELECT * FROM demo;
DROP TABLE demo;
COMMIT;
