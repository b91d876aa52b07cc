/*
 * Identifiers shared by the resource script and the code: dialogs, controls, icon.
 */
#ifndef VANTREL_RESOURCE_H
#define VANTREL_RESOURCE_H

#define IDD_MAIN 102
#define IDD_ABOUT 103
#define IDD_OBJID 106
#define IDI_MAIN 1012

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Main dialog */
#define IDC_INPUT_FILE 1000
#define IDC_BROWSE 1001
#define IDC_QUIET 1002
#define IDC_FEET 1003
#define IDC_MILES 1004
#define IDC_DMS 1005
#define IDC_PARTIAL 1006
#define IDC_CENTER_LAT 1007
#define IDC_CENTER_LON 1008
#define IDC_RADIUS 1009
#define IDC_GO 1010
#define IDC_ABOUT 2008 /* also the system-menu item "About" */
#define IDC_OBJID 2012

/* About dialog */
#define IDC_MYURL 2001
#define IDC_PRODUCT_NAME 2002
#define IDC_VERSION 2003
#define IDC_LEGAL_NOTICE 2004
#define IDC_OS_VERSION 2005
#define IDC_MEMORY 2006
#define IDC_CSD_VERSION 2007

/* Object ID generator */
#define IDC_GUID_SPACED 2009
#define IDC_GUID_PLAIN 2010
#define IDC_GENERATE 2011

#endif
