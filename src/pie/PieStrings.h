#pragma once
// Texts of the pie's grouped wedges. Plain macros, so that the resource
// script's string table and the code share this one definition.

#define IDS_FILES_IN_THIS_FOLDER 65300
#define IDS_OTHER_SMALLER_FOLDERS 65301
#define IDS_OTHER_SMALLER_FILES 65302

#define TEXT_FILES_IN_THIS_FOLDER "Files in this folder"
#define TEXT_OTHER_SMALLER_FOLDERS "Other smaller folders"
#define TEXT_OTHER_SMALLER_FILES "Other smaller files"
