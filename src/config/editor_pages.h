#pragma once
// Fill, read and notifications of each editor page, called through EditorPage.
#include "config/editor_page.h"

void FillGeneralPage(const PageControls& controls, ControllerConfig& page);
bool ReadGeneralPage(const PageControls& controls, ControllerConfig& page);
void GeneralPageCommand(const PageControls& controls, ControllerConfig& page, int id, int code);

void FillStopsPage(const PageControls& controls, ControllerConfig& page);
bool ReadStopsPage(const PageControls& controls, ControllerConfig& page);

void FillOutputsPage(const PageControls& controls, ControllerConfig& page, OutputCodes& codes);
void ReadOutputsPage(const PageControls& controls, ControllerConfig& page,
                     const OutputCodes& codes);
void OutputsPageCommand(const PageControls& controls, ControllerConfig& page, OutputCodes& codes,
                        int id, int code);
void OutputsPageSpin(const PageControls& controls, OutputCodes& codes, int barId, SpinStep step);

void FillTimesPage(const PageControls& controls, ControllerConfig& page);
bool ReadTimesPage(const PageControls& controls, ControllerConfig& page);

void FillDoorPage(const PageControls& controls, ControllerConfig& page);
void ReadDoorPage(const PageControls& controls, ControllerConfig& page);
void DoorPageCommand(const PageControls& controls, ControllerConfig& page, int id, int code);

void FillAdvancedPage(const PageControls& controls, ControllerConfig& page);
void ReadAdvancedPage(const PageControls& controls, ControllerConfig& page);
void AdvancedPageCommand(const PageControls& controls, ControllerConfig& page, int id, int code);
