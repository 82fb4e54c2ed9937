#pragma once
// The names of the menu and toolbar commands. The main frame makes one QAction
// per name (texts in the command catalogue); a subsystem gives a command its
// behaviour by registering a handler under the name in the CommandTable.
// A command without a handler stays disabled.
namespace korva::cmd {

// &File
inline constexpr char FileNew[] = "file.new";
inline constexpr char FileOpen[] = "file.open";
inline constexpr char FileClose[] = "file.close";
inline constexpr char FileSave[] = "file.save";
inline constexpr char FileSaveAs[] = "file.saveas";
inline constexpr char FileImportModel[] = "file.importmodel";
inline constexpr char FileExportParaView[] = "file.exportparaview";
inline constexpr char FileExit[] = "file.exit";

// &Edit
inline constexpr char EditUndo[] = "edit.undo";
inline constexpr char EditRedo[] = "edit.redo";

// &Grid: the 3D view's display commands (also on the toolbar) and the run
inline constexpr char GridParameterPanel[] = "grid.parameterpanel";
inline constexpr char GridBoundaryPanel[] = "grid.boundarypanel";
inline constexpr char GridAssignOutput[] = "grid.assignoutput";
inline constexpr char GridParameterColors[] = "grid.parametercolors";
inline constexpr char GridDisplayOutput[] = "grid.displayoutput";
inline constexpr char GridMouseZoom[] = "grid.mousezoom";
inline constexpr char GridZoomOut[] = "grid.zoomout";
inline constexpr char GridRestoreZoom[] = "grid.restorezoom";
inline constexpr char GridViewControl[] = "grid.viewcontrol";
inline constexpr char GridRun[] = "grid.run";

// &Data
inline constexpr char DataEditGrid[] = "data.editgrid";
inline constexpr char DataConstants[] = "data.constants";
inline constexpr char DataDrainCollector[] = "data.draincollector";
inline constexpr char DataIrrigation[] = "data.irrigation";
inline constexpr char DataPrintControl[] = "data.printcontrol";
inline constexpr char DataCropBuilder[] = "data.cropbuilder";
inline constexpr char DataNaturalBoundaries[] = "data.naturalboundaries";
inline constexpr char DataTransform[] = "data.transform";
inline constexpr char DataAddBackground[] = "data.addbackground";
inline constexpr char DataClipBackground[] = "data.clipbackground";
inline constexpr char DataRemoveBackground[] = "data.removebackground";
inline constexpr char DataRestoreBackground[] = "data.restorebackground";
inline constexpr char DataExport[] = "data.export";
inline constexpr char DataProperties[] = "data.properties";

// &View
inline constexpr char ViewToolbar[] = "view.toolbar";
inline constexpr char ViewStatusBar[] = "view.statusbar";
inline constexpr char ViewExportImage[] = "view.exportimage";

// &Window
inline constexpr char WindowNew[] = "window.new";
inline constexpr char WindowCascade[] = "window.cascade";
inline constexpr char WindowTile[] = "window.tile";
inline constexpr char WindowArrange[] = "window.arrange";

// &Help
inline constexpr char HelpTopics[] = "help.topics";
inline constexpr char HelpAbout[] = "help.about";
inline constexpr char HelpUpdates[] = "help.updates";
inline constexpr char HelpHomePage[] = "help.homepage";

// Keys without a menu item
inline constexpr char NextPane[] = "pane.next";
inline constexpr char PreviousPane[] = "pane.previous";

} // namespace korva::cmd
