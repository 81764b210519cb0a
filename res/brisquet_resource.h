// Resource IDs of Brisquet, the reservation viewer.
#pragma once

#define IDD_BRISQUET_DIALOG 201
#define IDR_BRISQUET 128

#define IDC_RESERVATIONS 2001
#define IDC_COLLISION_NOTE 2002
#define IDC_REFRESH 2003
#define IDC_EDIT_RESERVATION 2004
#define IDC_DELETE_RESERVATION 2005
#define IDC_WAKE_NOTE 2006
