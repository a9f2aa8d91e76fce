'''python-dbusmock template: UDisks2 with a system disk, listed first, and one camera card.

SetCard() puts the card's block device (with a file system) and its drive in place afresh;
an error name makes Unmount or PowerOff fail with it. Calls() counts a method's calls.
'''

import dbus

from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2/Manager'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True
BLOCKS = '/org/freedesktop/UDisks2/block_devices/'
CARD, CARD_DRIVE = BLOCKS + 'sdc1', '/org/freedesktop/UDisks2/drives/Camera'


def failing_with(error):
    return f'raise dbus.exceptions.DBusException("{error} (simulated)", name="{error}")' if error else ''


def add_card(mock, path, device, mount_point, drive, can_power_off, unmount_error='', power_off_error=''):
    mock.AddObject(drive, 'org.freedesktop.UDisks2.Drive', {'CanPowerOff': dbus.Boolean(can_power_off)},
                   [('PowerOff', 'a{sv}', '', failing_with(power_off_error))])
    mock.AddObject(path, 'org.freedesktop.UDisks2.Block',
                   {'DeviceNumber': dbus.UInt64(device), 'Drive': dbus.ObjectPath(drive)}, [])
    block = mockobject.objects[path]
    block.AddProperties('org.freedesktop.UDisks2.Filesystem', {
        'MountPoints': dbus.Array([dbus.ByteArray(mount_point.encode() + b'\0')], signature='ay')})
    block.AddMethod('org.freedesktop.UDisks2.Filesystem', 'Unmount', 'a{sv}', '', failing_with(unmount_error))


def load(mock, _parameters):
    mock.AddMethod(MAIN_IFACE, 'GetBlockDevices', 'a{sv}', 'ao',
                   f'ret = sorted(dbus.ObjectPath(p) for p in objects if p.startswith("{BLOCKS}"))')
    # Its device number is none that stat() gives.
    add_card(mock, BLOCKS + 'sda1', 2**63 + 1, '/', '/org/freedesktop/UDisks2/drives/System', False)


@dbus.service.method(MOCK_IFACE, in_signature='tsbss', out_signature='')
def SetCard(self, device, mount_point, can_power_off, unmount_error, power_off_error):
    for path in (CARD, CARD_DRIVE):
        if path in mockobject.objects:
            self.RemoveObject(path)
    add_card(self, CARD, device, mount_point, CARD_DRIVE, can_power_off, unmount_error, power_off_error)


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='u')
def Calls(_self, path, method):
    return len(mockobject.objects[path].GetMethodCalls(method))
