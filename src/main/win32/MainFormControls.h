#pragma once

// Identifiers of the main window's child windows.
enum TMainFormControl : int {
    idBanner = 100,
    idSponsorBanner,
    idToolbarSupport,
    idDriveBox,
    idToolbar,
    idClustersBox,
    idLeftPanel,
    idFolderTree,
    idSplitter,
    idRightPanel,
    idPages,
    idStatusBar,
    idNotReadyPanel,
    idNotReadyPicture,
    idNotReadyTextPanel,
    idNotReadyMemo,
    idFirstSheet = 120,  // one per sheet, in sheet order
};
